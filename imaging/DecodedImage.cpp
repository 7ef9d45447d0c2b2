#include "imaging/DecodedImage.h"

#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PngCodec.h"

std::optional<TImageFormat> SniffImageFormat(const std::uint8_t* data, std::size_t size) {
  if (IsBmp(data, size)) return TImageFormat::ifBmp;
  if (IsPng(data, size)) return TImageFormat::ifPng;
  if (IsJpeg(data, size)) return TImageFormat::ifJpeg;
  return std::nullopt;
}

TDecodedImage DecodeImage(const std::uint8_t* data, std::size_t size) {
  const auto format = SniffImageFormat(data, size);
  if (!format) throw EImageError("Unknown image format");
  switch (*format) {
    case TImageFormat::ifBmp: return DecodeBmpImage(data, size);
    case TImageFormat::ifPng: return DecodePngImage(data, size);
    case TImageFormat::ifJpeg: return DecodeJpegImage(data, size);
  }
  throw EImageError("Unknown image format");
}
