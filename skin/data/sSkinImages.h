// Finding and decoding the pictures a skin names (internal to skin/data): a package entry or a
// file under the skin's folder, decoded by content. Missing, unreadable, damaged and unknown
// pictures all come back as nothing: the options load skips them without a message.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "imaging/Bitmap32.h"
#include "imaging/DecodedImage.h"
#include "skin/data/sSkinOptions.h"

// The bytes of a picture: a package entry's are viewed where the package holds them (a master
// bitmap is large, and a load reads it only once), a file's are held here.
class TsImageBytes {
 public:
  static TsImageBytes View(const std::vector<std::uint8_t>& bytes) {
    TsImageBytes b;
    b.view_ = &bytes;
    return b;
  }
  static TsImageBytes Own(std::vector<std::uint8_t> bytes) {
    TsImageBytes b;
    b.owned_ = std::move(bytes);
    return b;
  }
  const std::vector<std::uint8_t>& Bytes() const { return view_ ? *view_ : owned_; }

 private:
  TsImageBytes() = default;
  const std::vector<std::uint8_t>* view_ = nullptr;
  std::vector<std::uint8_t> owned_;
};

// The bytes of a picture: a package entry whose upper-cased name equals `entryName`, or, for an
// unpacked skin or with `fromFiles`, the file `fileName` (SkinPath prefixed when the name has no
// ":"). Nothing when absent or unreadable. A view lives as long as the package.
std::optional<TsImageBytes> FindSkinImageBytes(const TsSkinImages& images, const std::wstring& entryName,
                                               const std::wstring& fileName, bool fromFiles);

// Decodes by content; nothing for an unknown format or a damaged picture.
std::optional<TDecodedImage> DecodeSkinImage(const std::vector<std::uint8_t>& bytes);

// The skin's reading of a picture's alpha: a bitmap file keeps its alpha only at 32 bits per
// pixel (even bit fields without an alpha mask, whose alpha is then 0), a PNG when it has an alpha
// channel or a tRNS chunk, a JPEG never.
bool HasOwnAlpha(const TDecodedImage& image);

// The master bitmap or a piece's picture as the skin keeps it: a picture without alpha of its
// own has every pixel but the key made opaque. Nothing when it cannot be decoded.
std::optional<TBitmap32> DecodeSkinPicture(const std::vector<std::uint8_t>& bytes);

// An image piece's picture as 32 bits with the skin's alpha rules applied, or nothing (missing,
// damaged, or width 0). `isPng` says how the value named it; PNG pieces get PrepareAlpha unless
// recolouring will do it (brightness above 0).
std::optional<TBitmap32> LoadSkinPiecePicture(const TsSkinImages& images, const std::wstring& entryName,
                                              const std::wstring& fileName, bool fromFiles, bool isPng, double version,
                                              int brightness);
