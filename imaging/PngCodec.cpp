// libpng reports errors through a callback that must not return. We leave it with
// png_longjmp, never with a C++ exception: the exception would have to unwind through libpng's
// C frames, which carry no unwind information on every target we build for. Each setjmp lives
// in a small function whose locals are plain C data, and all C++ objects with destructors
// (the bitmap, the row table, the output vector) belong to the callers, outside the jumps.
#include "imaging/PngCodec.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace {

constexpr const char* kInvalidPng = "Invalid PNG image";

// Largest expansion deflate can achieve (a 258-byte match coded in two bits), rounded up.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

void SilentError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void SilentWarning(png_structp, png_const_charp) {}

struct TPngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
  png_uint_32 width = 0, height = 0;
  int bitsPerPixel = 0;  // as stored
  bool hasAlpha = false;  // an alpha channel or an accepted tRNS chunk
};

void ReadFromMemory(png_structp png, png_bytep out, std::size_t count) {
  auto* r = static_cast<TPngReader*>(png_get_io_ptr(png));
  if (count > r->size - r->pos) png_error(png, "Read past end of data");
  std::memcpy(out, r->data + r->pos, count);
  r->pos += count;
}

// Reads the chunks up to the image data and sets libpng up to deliver 8-bit BGRA rows.
bool ReadPngHeader(TPngReader* r) {
  if (setjmp(png_jmpbuf(r->png))) return false;
  png_set_read_fn(r->png, r, ReadFromMemory);
  png_set_user_limits(r->png, kMaxImageSide, kMaxImageSide);
  png_set_chunk_cache_max(r->png, 256);
  png_set_chunk_malloc_max(r->png, 8u << 20);
  png_read_info(r->png, r->info);

  int bitDepth = 0, colorType = 0, interlace = 0;
  png_get_IHDR(r->png, r->info, &r->width, &r->height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
  if (!ImageSizeAcceptable(r->width, r->height)) return false;
  // The image data must inflate to at least width × height × bits per pixel; a file too small to
  // hold that even at deflate's best ratio is refused before the bitmap is allocated.
  r->bitsPerPixel = png_get_channels(r->png, r->info) * bitDepth;
  const std::uint64_t rawBits = std::uint64_t(r->width) * r->height * std::uint64_t(r->bitsPerPixel);
  if (rawBits / 8 > std::uint64_t(r->size) * kMaxDeflateRatio + 1024) return false;

  const bool hasTrns = png_get_valid(r->png, r->info, PNG_INFO_tRNS) != 0;
  const bool hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || hasTrns;
  r->hasAlpha = hasAlpha;
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(r->png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(r->png);
  if (hasTrns) png_set_tRNS_to_alpha(r->png);
  if (bitDepth == 16) png_set_scale_16(r->png);
  if ((colorType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(r->png);
  png_set_bgr(r->png);
  if (!hasAlpha) png_set_filler(r->png, 0, PNG_FILLER_AFTER);
  png_set_interlace_handling(r->png);
  png_read_update_info(r->png, r->info);
  return png_get_rowbytes(r->png, r->info) == std::size_t(r->width) * 4;
}

// Decodes every row (all interlace passes) and reads on to IEND, so a file cut short anywhere
// is reported rather than returned half-filled.
bool ReadPngPixels(TPngReader* r, png_bytepp rows) {
  if (setjmp(png_jmpbuf(r->png))) return false;
  png_read_image(r->png, rows);
  png_read_end(r->png, nullptr);
  return true;
}

class TPngReadGuard {
 public:
  explicit TPngReadGuard(TPngReader& r) : r_(r) {}
  ~TPngReadGuard() { png_destroy_read_struct(&r_.png, r_.info ? &r_.info : nullptr, nullptr); }
  TPngReadGuard(const TPngReadGuard&) = delete;
  TPngReadGuard& operator=(const TPngReadGuard&) = delete;

 private:
  TPngReader& r_;
};

struct TPngWriter {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<std::uint8_t>* out = nullptr;
};

void WriteToMemory(png_structp png, png_bytep data, std::size_t count) {
  auto* w = static_cast<TPngWriter*>(png_get_io_ptr(png));
  bool failed = false;
  try {
    w->out->insert(w->out->end(), data, data + count);
  } catch (...) {
    failed = true;  // jump only once the exception is finished with
  }
  if (failed) png_error(png, "Out of memory");
}

void FlushMemory(png_structp) {}

bool WritePng(TPngWriter* w, png_uint_32 width, png_uint_32 height, png_bytepp rows) {
  if (setjmp(png_jmpbuf(w->png))) return false;
  png_set_write_fn(w->png, w, WriteToMemory, FlushMemory);
  png_set_IHDR(w->png, w->info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(w->png, w->info);
  png_set_bgr(w->png);
  png_write_image(w->png, rows);
  png_write_end(w->png, nullptr);
  return true;
}

class TPngWriteGuard {
 public:
  explicit TPngWriteGuard(TPngWriter& w) : w_(w) {}
  ~TPngWriteGuard() { png_destroy_write_struct(&w_.png, w_.info ? &w_.info : nullptr); }
  TPngWriteGuard(const TPngWriteGuard&) = delete;
  TPngWriteGuard& operator=(const TPngWriteGuard&) = delete;

 private:
  TPngWriter& w_;
};

}  // namespace

bool IsPng(const std::uint8_t* data, std::size_t size) {
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return data && size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

TBitmap32 DecodePng(const std::uint8_t* data, std::size_t size) { return DecodePngImage(data, size).Pixels; }

TDecodedImage DecodePngImage(const std::uint8_t* data, std::size_t size) {
  if (!IsPng(data, size)) throw EImageError(kInvalidPng);
  TPngReader r;
  r.data = data;
  r.size = size;
  r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning);
  if (!r.png) throw EImageError(kInvalidPng);
  TPngReadGuard guard(r);
  r.info = png_create_info_struct(r.png);
  if (!r.info || !ReadPngHeader(&r)) throw EImageError(kInvalidPng);

  TDecodedImage image;
  image.Format = TImageFormat::ifPng;
  image.BitsPerPixel = r.bitsPerPixel;
  image.HasAlpha = r.hasAlpha;
  image.StoredSize = {int(r.width), int(r.height)};
  image.Pixels = TBitmap32(int(r.width), int(r.height));
  std::vector<png_bytep> rows(r.height);
  for (png_uint_32 y = 0; y < r.height; ++y) rows[y] = reinterpret_cast<png_bytep>(image.Pixels.Row(int(y)));
  if (!ReadPngPixels(&r, rows.data())) throw EImageError(kInvalidPng);
  return image;
}

std::vector<std::uint8_t> EncodePng(const TBitmap32& bitmap) {
  if (bitmap.Empty()) throw EImageError("Cannot encode an empty image");
  std::vector<std::uint8_t> out;
  std::vector<png_bytep> rows(std::size_t(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y)
    rows[std::size_t(y)] = reinterpret_cast<png_bytep>(const_cast<std::uint32_t*>(bitmap.Row(y)));

  TPngWriter w;
  w.out = &out;
  w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning);
  if (!w.png) throw EImageError("Cannot encode PNG image");
  TPngWriteGuard guard(w);
  w.info = png_create_info_struct(w.png);
  if (!w.info || !WritePng(&w, png_uint_32(bitmap.Width()), png_uint_32(bitmap.Height()), rows.data()))
    throw EImageError("Cannot encode PNG image");
  return out;
}
