// One decoded picture with everything its file said about itself, so that a caller never has to
// go back to the bytes: the pixels, the format, the stored bit depth, whether the alpha came from
// the file, and the size its headers gave.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/Bitmap32.h"
#include "imaging/ImageError.h"

enum class TImageFormat { ifBmp, ifPng, ifJpeg };

struct TDecodedImage {
  // Owning, top-down, 8-bit B, G, R, A with straight alpha, as the format's decoder describes.
  TBitmap32 Pixels;
  TImageFormat Format = TImageFormat::ifBmp;
  // Bits per pixel as stored: a BMP's bit count; a PNG's channels × sample depth (a palette
  // picture counts its index depth); a JPEG's components × sample precision.
  int BitsPerPixel = 0;
  // True when the pixels' alpha came from the file (a BMP's fourth byte or alpha mask, a PNG's
  // alpha channel or tRNS chunk). False for opaque sources, whose alpha the decoders set to 0.
  bool HasAlpha = false;
  // Width and height as the headers give them (the size of Pixels).
  TImageSize StoredSize;
};

// The format the bytes start like, or nothing.
std::optional<TImageFormat> SniffImageFormat(const std::uint8_t* data, std::size_t size);

// Decodes a BMP, PNG or JPEG chosen by content. Throws EImageError for an unknown format and for
// anything the format's decoder refuses.
TDecodedImage DecodeImage(const std::uint8_t* data, std::size_t size);
inline TDecodedImage DecodeImage(const std::vector<std::uint8_t>& bytes) { return DecodeImage(bytes.data(), bytes.size()); }
