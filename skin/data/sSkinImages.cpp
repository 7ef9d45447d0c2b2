#include "skin/data/sSkinImages.h"

#include <string_view>

#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PngCodec.h"
#include "skin/data/sSkinFiles.h"
#include "skin/paint/sColorMath.h"

namespace {
// Bits per pixel of a .bmp file (0 when the header is too short).
int BmpBitCount(const std::vector<std::uint8_t>& d) {
  if (d.size() < 30) return 0;
  const std::uint32_t headerSize = d[14] | d[15] << 8 | d[16] << 16 | std::uint32_t(d[17]) << 24;
  const std::size_t at = headerSize == 12 ? 24 : 28;
  return d.size() < at + 2 ? 0 : d[at] | d[at + 1] << 8;
}

// True when a PNG carries alpha: an alpha colour type or a tRNS chunk before the image data.
bool PngHasAlpha(const std::vector<std::uint8_t>& d) {
  if (d.size() < 26) return false;
  if (d[25] == 4 || d[25] == 6) return true;
  std::size_t at = 8;
  while (at + 8 <= d.size()) {
    const std::uint64_t len = std::uint64_t(d[at]) << 24 | d[at + 1] << 16 | d[at + 2] << 8 | d[at + 3];
    const std::string_view type(reinterpret_cast<const char*>(&d[at + 4]), 4);
    if (type == "tRNS") return true;
    if (type == "IDAT" || type == "IEND" || len > d.size() - at - 8) return false;
    at += 12 + std::size_t(len);
  }
  return false;
}
}  // namespace

std::optional<std::vector<std::uint8_t>> FindSkinImageBytes(const TsSkinImages& images, const std::wstring& entryName,
                                                            const std::wstring& fileName, bool fromFiles) {
  if (images.Package && !fromFiles) {
    const int i = images.Package->FindImage(entryName);
    if (i < 0) return std::nullopt;
    return images.Package->Files[std::size_t(i)].FileStream->Bytes();
  }
  const std::wstring path = fileName.find(L':') != std::wstring::npos ? fileName : images.SkinPath + fileName;
  if (!SkinFileExists(path)) return std::nullopt;
  try {
    return ReadSkinFile(path);
  } catch (const Exception&) {
    return std::nullopt;
  }
}

std::optional<TsSkinPicture> DecodeSkinPicture(const std::vector<std::uint8_t>& d) {
  try {
    if (IsBmp(d.data(), d.size())) return TsSkinPicture{DecodeBmp(d.data(), d.size()), BmpBitCount(d) == 32};
    if (IsPng(d.data(), d.size())) return TsSkinPicture{DecodePng(d.data(), d.size()), PngHasAlpha(d)};
    if (IsJpeg(d.data(), d.size())) return TsSkinPicture{DecodeJpeg(d.data(), d.size()), false};
  } catch (const EImageError&) {
  }
  return std::nullopt;
}

void MakeOpaqueExceptKey(TBitmap32& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    std::uint32_t* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x)
      if (row[x] != scolor::KeyPixel) row[x] |= 0xFF000000u;
  }
}

std::optional<TBitmap32> LoadSkinPiecePicture(const TsSkinImages& images, const std::wstring& entryName,
                                              const std::wstring& fileName, bool fromFiles, bool isPng, double version,
                                              int brightness) {
  const auto bytes = FindSkinImageBytes(images, entryName, fileName, fromFiles);
  if (!bytes) return std::nullopt;
  auto decoded = DecodeSkinPicture(*bytes);
  if (!decoded || decoded->Bmp.Width() == 0) return std::nullopt;
  if (!decoded->Is32Bit) MakeOpaqueExceptKey(decoded->Bmp);
  if (isPng && brightness <= 0) PrepareAlpha(decoded->Bmp, version);
  return std::move(decoded->Bmp);
}

void PrepareAlpha(TBitmap32& bmp, double version, bool skipKey) {
  for (int y = 0; y < bmp.Height(); ++y) {
    std::uint32_t* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x) {
      std::uint32_t& p = row[x];
      if (skipKey && p == scolor::KeyPixel) continue;
      if (p == 0x00FFFFFFu) {
        p = 0;
      } else if (version > kPremultiplyVersion) {
        const std::uint32_t a = p >> 24;
        const std::uint32_t b = ((p & 0xFF) * a) >> 8, g = (((p >> 8) & 0xFF) * a) >> 8,
                            r = (((p >> 16) & 0xFF) * a) >> 8;
        p = a << 24 | r << 16 | g << 8 | b;
      }
    }
  }
}
