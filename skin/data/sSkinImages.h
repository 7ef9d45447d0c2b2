// Finding and decoding the pictures a skin names (internal to skin/data): a package entry or a
// file under the skin's folder, decoded by content. Missing, unreadable, damaged and unknown
// pictures all come back as nothing: the options load skips them without a message.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinOptions.h"

// The bytes of a picture: a package entry whose upper-cased name equals `entryName`, or, for an
// unpacked skin or with `fromFiles`, the file `fileName` (SkinPath prefixed when the name has no
// ":"). Nothing when absent or unreadable.
std::optional<std::vector<std::uint8_t>> FindSkinImageBytes(const TsSkinImages& images, const std::wstring& entryName,
                                                            const std::wstring& fileName, bool fromFiles);

// A decoded picture and whether it carries alpha of its own.
struct TsSkinPicture {
  TBitmap32 Bmp;
  bool Is32Bit = false;
};
// Decodes by content; nothing for an unknown format or a damaged picture.
std::optional<TsSkinPicture> DecodeSkinPicture(const std::vector<std::uint8_t>& bytes);

// A picture without alpha of its own: every pixel that is not the key becomes opaque.
void MakeOpaqueExceptKey(TBitmap32& bmp);

// An image piece's picture as 32 bits with the skin's alpha rules applied, or nothing (missing,
// damaged, or width 0). `isPng` says how the value named it; PNG pieces get PrepareAlpha unless
// recolouring will do it (brightness above 0).
std::optional<TBitmap32> LoadSkinPiecePicture(const TsSkinImages& images, const std::wstring& entryName,
                                              const std::wstring& fileName, bool fromFiles, bool isPng, double version,
                                              int brightness);
