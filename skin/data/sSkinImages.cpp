#include "skin/data/sSkinImages.h"

#include "skin/base/sColorMath.h"
#include "skin/data/sSkinFiles.h"

namespace {
// Every pixel that is not the key becomes opaque.
void MakeOpaqueExceptKey(TBitmap32& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    std::uint32_t* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x)
      if (row[x] != scolor::KeyPixel) row[x] |= 0xFF000000u;
  }
}
}  // namespace

std::optional<TsImageBytes> FindSkinImageBytes(const TsSkinImages& images, const std::wstring& entryName,
                                               const std::wstring& fileName, bool fromFiles) {
  if (images.Package && !fromFiles) {
    const int i = images.Package->FindImage(entryName);
    if (i < 0) return std::nullopt;
    return TsImageBytes::View(images.Package->Files[std::size_t(i)].FileStream->Bytes());
  }
  const std::wstring path = fileName.find(L':') != std::wstring::npos ? fileName : images.SkinPath + fileName;
  if (!SkinFileExists(path)) return std::nullopt;
  try {
    return TsImageBytes::Own(ReadSkinFile(path));
  } catch (const Exception&) {
    return std::nullopt;
  }
}

std::optional<TDecodedImage> DecodeSkinImage(const std::vector<std::uint8_t>& bytes) {
  try {
    return DecodeImage(bytes);
  } catch (const EImageError&) {
    return std::nullopt;
  }
}

bool HasOwnAlpha(const TDecodedImage& image) {
  switch (image.Format) {
    case TImageFormat::ifBmp: return image.BitsPerPixel == 32;
    case TImageFormat::ifPng: return image.HasAlpha;
    case TImageFormat::ifJpeg: return false;
  }
  return false;
}

std::optional<TBitmap32> DecodeSkinPicture(const std::vector<std::uint8_t>& bytes) {
  auto image = DecodeSkinImage(bytes);
  if (!image) return std::nullopt;
  if (!HasOwnAlpha(*image)) MakeOpaqueExceptKey(image->Pixels);
  return std::move(image->Pixels);
}

std::optional<TBitmap32> LoadSkinPiecePicture(const TsSkinImages& images, const std::wstring& entryName,
                                              const std::wstring& fileName, bool fromFiles, bool isPng, double version,
                                              int brightness) {
  const auto bytes = FindSkinImageBytes(images, entryName, fileName, fromFiles);
  if (!bytes) return std::nullopt;
  auto picture = DecodeSkinPicture(bytes->Bytes());
  if (!picture || picture->Width() == 0) return std::nullopt;
  if (isPng && brightness <= 0) PrepareAlpha(*picture, version);
  return picture;
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
