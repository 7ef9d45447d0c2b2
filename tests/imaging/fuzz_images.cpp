// libFuzzer entry: feeds arbitrary bytes to every decoder. The only acceptable outcomes are a
// bitmap of a permitted size or EImageError; anything else (a crash, a sanitizer report, another
// exception, a hang) is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PngCodec.h"

namespace {

void Check(const TBitmap32& bitmap) {
  if (!ImageSizeAcceptable(bitmap.Width(), bitmap.Height())) std::abort();
  // Touch the corners so a mis-sized allocation shows up under the address sanitizer.
  volatile std::uint32_t sink = bitmap.Pixel(0, 0) ^ bitmap.Pixel(bitmap.Width() - 1, bitmap.Height() - 1);
  (void)sink;
}

template <class Decode>
void Try(Decode decode, const std::uint8_t* data, std::size_t size) {
  try {
    Check(decode(data, size));
  } catch (const EImageError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Try(DecodePng, data, size);
  Try(DecodeJpeg, data, size);
  Try(DecodeBmp, data, size);
  try {
    const TImageSize s = JpegSize(data, size);
    if (!ImageSizeAcceptable(s.Width, s.Height)) std::abort();
  } catch (const EImageError&) {
  }
  return 0;
}
