#include "skin/data/sSkinPack.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "skin/data/sSkinFiles.h"

namespace {
// Windows-1252 for the bytes 0x80 … 0x9F; the rest maps to the same code point.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::wstring DecodeCp1252(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto b = static_cast<unsigned char>(ch);
    out += (b >= 0x80 && b <= 0x9F) ? wchar_t(kCp1252High[b - 0x80]) : wchar_t(b);
  }
  return out;
}

TAnsiDecoder ansiDecoder = DecodeCp1252;

// The largest inflation ratio deflate can reach; an entry claiming more than this per input byte
// left cannot be real, and is refused before any memory is spent on it.
constexpr std::int64_t kMaxDeflateRatio = 1032;
constexpr std::size_t kReadAhead = 64 * 1024;
// Entries up to this size (a skin's master bitmap is some hundred kilobytes) get all their room
// at once: growing by doubling would fill and copy about three times their size in fresh memory.
// Larger ones grow as data arrives, so that a lying size costs little memory up front.
constexpr std::size_t kWholeRoomLimit = 4 << 20;

[[noreturn]] void ThrowReadError() { throw EReadError(L"Stream read error"); }

// Reads until `count` bytes arrived or the stream ends (streams may hand out less per call).
std::size_t ReadFully(TStream& s, void* buffer, std::size_t count) {
  auto* p = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const std::size_t got = s.Read(p + done, count - done);
    if (got == 0) break;
    done += got;
  }
  return done;
}

std::int32_t ReadInt32(TStream& s) {
  std::uint8_t b[4];
  if (ReadFully(s, b, 4) != 4) ThrowReadError();
  return std::int32_t(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                      std::uint32_t(b[3]) << 24);
}

[[noreturn]] void ThrowInflateError(int code) { throw ESkinInflateError(AnsiToWide(zError(code))); }

// Inflates one zlib stream starting at the raw stream's position into exactly `size` bytes. The
// raw position ends just past the stream's Adler-32 trailer: input read ahead is handed back.
std::vector<std::uint8_t> InflateEntry(TStream& raw, std::int32_t size) {
  if (size < 0) ThrowReadError();
  const std::int64_t left = raw.Size() - raw.Position();
  if (std::int64_t(size) > left * kMaxDeflateRatio + 64) ThrowReadError();

  // The output may reach one byte more than the entry says, which shows a stream that is too long.
  const std::size_t limit = std::size_t(size) + 1;
  std::vector<std::uint8_t> out;
  // Input is read ahead in blocks, none larger than what is left of the package.
  std::vector<std::uint8_t> in(std::size_t(std::clamp<std::int64_t>(left, 1, std::int64_t(kReadAhead))));
  z_stream z{};
  if (inflateInit(&z) != Z_OK) ThrowInflateError(Z_MEM_ERROR);
  struct Guard {
    z_stream* z;
    ~Guard() { inflateEnd(z); }
  } guard{&z};

  int ret = Z_OK;
  while (ret != Z_STREAM_END) {
    if (z.avail_in == 0) {
      const std::size_t got = raw.Read(in.data(), in.size());
      if (got == 0) ThrowInflateError(Z_BUF_ERROR);  // the package ends inside the stream
      z.next_in = in.data();
      z.avail_in = uInt(got);
    }
    if (z.avail_out == 0) {
      if (out.size() >= limit) ThrowReadError();  // more data than the entry says
      const std::size_t produced = out.size();
      const bool whole = produced == 0 && limit <= kWholeRoomLimit;
      out.resize(whole ? limit : std::min(limit, produced + std::max<std::size_t>(kReadAhead, produced)));
      z.next_out = out.data() + produced;
      z.avail_out = uInt(out.size() - produced);
    }
    ret = inflate(&z, Z_NO_FLUSH);
    if (ret == Z_NEED_DICT) ThrowInflateError(Z_DATA_ERROR);
    // No progress: more input or more room follows on the next turn; with both at hand it would
    // never end, so that counts as damage.
    if (ret == Z_BUF_ERROR && (z.avail_in == 0 || z.avail_out == 0)) continue;
    if (ret != Z_OK && ret != Z_STREAM_END) ThrowInflateError(ret);
  }
  // Give back what was read beyond the end of the stream.
  raw.Seek(-std::int64_t(z.avail_in), TSeekOrigin::soCurrent);
  if (z.total_out != uLong(size)) ThrowReadError();
  out.resize(std::size_t(size));
  return out;
}

bool IsOptionsName(std::wstring_view name) { return UpperCaseAscii(name) == L"OPTIONS.DAT"; }

// The extension as the file-name helpers see it: from the last "." after the last "\" or ":".
std::wstring_view ExtensionOf(std::wstring_view name) {
  const std::size_t dot = name.find_last_of(L".\\:");
  if (dot == std::wstring_view::npos || name[dot] != L'.') return {};
  return name.substr(dot);
}

void WriteInt32(std::vector<std::uint8_t>& out, std::int32_t v) {
  const auto u = std::uint32_t(v);
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(u >> (8 * i)));
}
}  // namespace

void SetAnsiDecoder(TAnsiDecoder decoder) { ansiDecoder = decoder ? decoder : DecodeCp1252; }
std::wstring AnsiToWide(std::string_view text) { return ansiDecoder(text); }


void TsSkinConvertor::SetPackedData(std::unique_ptr<TMemoryStream> data) {
  ReleasePackedData();
  FOwned = std::move(data);
  FPacked = FOwned.get();
}

void TsSkinConvertor::LendPackedData(TStream& data) {
  ReleasePackedData();
  FPacked = &data;
}

void TsSkinConvertor::ReleasePackedData() {
  FPacked = nullptr;
  FOwned.reset();
}

void TsSkinConvertor::Clear() {
  for (auto it = Files.rbegin(); it != Files.rend(); ++it) it->FileStream.reset();
  Files.clear();
  Options.reset();
  ReleasePackedData();
}

int TsSkinConvertor::SearchableImageCount() const {
  return std::clamp(ImageCount, 0, int(std::min<std::size_t>(Files.size(), 0x7FFFFFFF)));
}

int TsSkinConvertor::FindImage(std::wstring_view upperName) const {
  const int n = SearchableImageCount();
  for (int i = 0; i < n; ++i)
    if (UpperCaseAscii(Files[std::size_t(i)].FileName) == upperName) return i;
  return -1;
}

void ReadSkinPackage(std::unique_ptr<TsSkinConvertor>& convertor) {
  TsSkinConvertor& c = *convertor;
  if (!c.PackedData()) ThrowReadError();
  TStream& raw = *c.PackedData();
  raw.SetPosition(0);

  char magic[4] = {};
  if (ReadFully(raw, magic, 4) != 4 || std::memcmp(magic, "ASzf", 4) != 0) {
    convertor.reset();
    throw ESkinPackageError(kPackageFormatError);
  }
  const std::int32_t count = ReadInt32(raw);
  c.ImageCount = count == INT32_MIN ? INT32_MIN : count - 1;
  // Each entry takes at least ten bytes (two lengths and a two-byte zlib header), so a count
  // beyond that is found out by a short read long before it could cost time.
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t nameLength = ReadInt32(raw);
    if (nameLength < 0 || nameLength > raw.Size() - raw.Position()) ThrowReadError();
    std::string name(std::size_t(nameLength), '\0');
    if (nameLength > 0 && ReadFully(raw, name.data(), name.size()) != name.size()) ThrowReadError();
    const std::int32_t size = ReadInt32(raw);
    AddSkinPackageEntry(c, name, InflateEntry(raw, size));
  }
}

void AddSkinPackageEntry(TsSkinConvertor& c, std::string_view name, std::vector<std::uint8_t> data) {
  auto stream = std::make_unique<TMemoryStream>(std::move(data));
  std::wstring wideName = AnsiToWide(name);
  if (IsOptionsName(wideName)) {
    c.Options = std::move(stream);  // a later options entry replaces an earlier one
    return;
  }
  TsImageItem item;
  item.IsBitmap = UpperCaseAscii(ExtensionOf(wideName)) == L".BMP";
  item.FileName = std::move(wideName);
  item.FileStream = std::move(stream);
  c.Files.push_back(std::move(item));
}

void LoadSkinPackageFile(const std::wstring& path, std::unique_ptr<TsSkinConvertor>& convertor, bool dropRaw) {
  if (!SkinFileExists(path)) return;
  if (convertor) convertor->Clear();
  else convertor = std::make_unique<TsSkinConvertor>();
  convertor->SetPackedData(std::make_unique<TMemoryStream>(ReadSkinFile(path)));
  ReadSkinPackage(convertor);
  if (dropRaw && convertor) convertor->ReleasePackedData();
}

std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data, int level) {
  uLongf bound = compressBound(uLong(data.size()));
  std::vector<std::uint8_t> out(bound);
  const int ret = compress2(out.data(), &bound, data.data(), uLong(data.size()), std::clamp(level, 0, 9));
  if (ret != Z_OK) ThrowInflateError(ret);
  out.resize(bound);
  return out;
}

std::vector<std::uint8_t> WriteSkinPackage(const std::vector<TsPackageEntry>& entries, int level) {
  std::vector<std::uint8_t> out = {'A', 'S', 'z', 'f'};
  WriteInt32(out, std::int32_t(entries.size()));
  for (const auto& e : entries) {
    WriteInt32(out, std::int32_t(e.Name.size()));
    out.insert(out.end(), e.Name.begin(), e.Name.end());
    WriteInt32(out, std::int32_t(e.Data.size()));
    const auto packed = ZlibCompress(e.Data, level);
    out.insert(out.end(), packed.begin(), packed.end());
  }
  return out;
}
