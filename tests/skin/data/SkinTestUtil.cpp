#include "SkinTestUtil.h"

#include <atomic>
#include <fstream>
#include <random>

#include <stdexcept>

#include "skin/data/sSkinIndexes.h"

namespace skintest {

void TLoadedSkin::LoadTables(const TsSkinLoadSettings& settings) {
  ini = LoadSkinOptions(*pack->Options);
  TsSkinImages images;
  images.Package = pack.get();
  LoadSkinTables(*ini, images, settings, t);
}

const TsGeneralData& TLoadedSkin::Section(const std::wstring& name) const {
  const int i = FindSection(t.gd, name);
  if (i < 0) throw std::runtime_error("no section " + WideToUtf8(name));
  return t.gd[std::size_t(i)];
}

int TLoadedSkin::MaskIndex(const std::wstring& section, const std::wstring& key) const {
  return FindMaskIndex(t, section, key);
}

const TsMaskData* TLoadedSkin::Mask(const std::wstring& section, const std::wstring& key) const {
  const int i = MaskIndex(section, key);
  return i < 0 ? nullptr : &t.ma[std::size_t(i)];
}

const TsMaskData& TLoadedSkin::M(const std::wstring& section, const std::wstring& key) const {
  const TsMaskData* m = Mask(section, key);
  if (!m) throw std::runtime_error("no mask " + WideToUtf8(section + L" " + key));
  return *m;
}

int TLoadedSkin::InheritedMask(const std::wstring& section, const std::wstring& key) const {
  return FindMaskIndex(t, FindSkinIndex(t, section), section, key);
}


TBitmap32 Solid(int w, int h, std::uint32_t pixel) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = pixel;
  return b;
}

namespace {
void Put16(std::vector<std::uint8_t>& o, unsigned v) {
  o.push_back(std::uint8_t(v));
  o.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& o, std::uint32_t v) {
  Put16(o, v & 0xFFFF);
  Put16(o, v >> 16);
}
}  // namespace

std::vector<std::uint8_t> EncodeBmp(const TBitmap32& bmp, int bits) {
  const int bpp = bits / 8;
  const int row = (bmp.Width() * bpp + 3) & ~3;
  const std::uint32_t size = std::uint32_t(row * bmp.Height());
  std::vector<std::uint8_t> o = {'B', 'M'};
  Put32(o, 54 + size);
  Put32(o, 0);
  Put32(o, 54);
  Put32(o, 40);
  Put32(o, std::uint32_t(bmp.Width()));
  Put32(o, std::uint32_t(bmp.Height()));
  Put16(o, 1);
  Put16(o, unsigned(bits));
  Put32(o, 0);
  Put32(o, size);
  Put32(o, 2835);
  Put32(o, 2835);
  Put32(o, 0);
  Put32(o, 0);
  for (int y = bmp.Height() - 1; y >= 0; --y) {
    int n = 0;
    for (int x = 0; x < bmp.Width(); ++x) {
      const std::uint32_t p = bmp.Pixel(x, y);
      for (int c = 0; c < bpp; ++c, ++n) o.push_back(std::uint8_t(p >> (8 * c)));
    }
    for (; n < row; ++n) o.push_back(0);
  }
  return o;
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() /
          ("skin-data-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void TempDir::Write(const std::string& relative, const std::vector<std::uint8_t>& data) const {
  const auto p = path_ / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
}

void TempDir::MakeDir(const std::string& relative) const { std::filesystem::create_directories(path_ / relative); }

}  // namespace skintest
