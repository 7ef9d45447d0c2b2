// libFuzzer entry: feeds arbitrary bytes to the decoders. The only acceptable outcomes are a
// bitmap of a permitted size or EImageError; anything else (a crash, a sanitizer report, another
// exception, a hang) is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imaging/DecodedImage.h"
#include "imaging/JpegCodec.h"

namespace {

void Check(const TBitmap32& bitmap) {
  if (!ImageSizeAcceptable(bitmap.Width(), bitmap.Height())) std::abort();
  // Touch the corners so a mis-sized allocation shows up under the address sanitizer.
  volatile std::uint32_t sink = bitmap.Pixel(0, 0) ^ bitmap.Pixel(bitmap.Width() - 1, bitmap.Height() - 1);
  (void)sink;
}

// The record must agree with its own pixels and with the format the bytes start like.
void CheckRecord(const TDecodedImage& image, const std::uint8_t* data, std::size_t size) {
  Check(image.Pixels);
  if (image.StoredSize != TImageSize{image.Pixels.Width(), image.Pixels.Height()}) std::abort();
  if (SniffImageFormat(data, size) != image.Format) std::abort();
  if (image.BitsPerPixel < 1 || image.BitsPerPixel > 64) std::abort();
  if (image.HasAlpha && image.Format == TImageFormat::ifJpeg) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Each decoder checks its own signature first, so one decode by content reaches them all.
  try {
    CheckRecord(DecodeImage(data, size), data, size);
  } catch (const EImageError&) {
  }
  try {
    const TImageSize s = JpegSize(data, size);
    if (!ImageSizeAcceptable(s.Width, s.Height)) std::abort();
  } catch (const EImageError&) {
  }
  return 0;
}
