// libjpeg's default error handler prints and calls exit(). Ours leaves the library with longjmp
// instead (a C++ exception could not unwind libjpeg's C frames safely), and says nothing. Each
// setjmp lives in a small function whose locals are plain C data; C++ objects with destructors
// (the bitmap, the output vector) belong to the callers, outside the jumps.
#include "imaging/JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <jerror.h>
#include <jpeglib.h>

#ifndef JCS_EXTENSIONS
#error "libjpeg-turbo's colour space extensions are required (BGRX input and output)"
#endif

namespace {

constexpr const char* kInvalidJpeg = "Invalid JPEG image";

// Real progressive pictures use about ten scans; each scan revisits the whole coefficient
// buffer, so a file of thousands of tiny scans would make decoding crawl.
constexpr int kMaxScans = 256;
// Cap on libjpeg's own working memory (whole-image coefficient buffers of progressive files).
constexpr long kMaxDecoderMemory = 512L << 20;

struct TJpegErrorMgr {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<TJpegErrorMgr*>(cinfo->err)->jump, 1); }

void SilentOutput(j_common_ptr) {}

// Level −1 is a warning about damaged data. Some are harmless (stray bytes between markers, an
// odd progression), but running out of data, meeting a marker where entropy-coded data should
// continue, or an undecodable Huffman code all mean the picture is incomplete: libjpeg would
// carry on and fill it with grey or garbage, and we refuse the file instead.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE) JumpOut(cinfo);
  cinfo->err->num_warnings++;
}

void InstallErrorManager(TJpegErrorMgr* err) {
  jpeg_std_error(&err->pub);
  err->pub.error_exit = JumpOut;
  err->pub.output_message = SilentOutput;
  err->pub.emit_message = EmitMessage;
}

void LimitScans(j_common_ptr cinfo) {
  if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
    JumpOut(cinfo);
}

struct TJpegDecoder {
  jpeg_decompress_struct cinfo;
  TJpegErrorMgr err;
  jpeg_progress_mgr progress;
  bool created;
};

bool ReadJpegHeader(TJpegDecoder* d, const std::uint8_t* data, std::size_t size) {
  d->cinfo.err = &d->err.pub;
  InstallErrorManager(&d->err);
  if (setjmp(d->err.jump)) return false;
  jpeg_create_decompress(&d->cinfo);
  d->created = true;
  d->progress.progress_monitor = LimitScans;
  d->cinfo.progress = &d->progress;
  d->cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  jpeg_mem_src(&d->cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&d->cinfo, TRUE);
  return ImageSizeAcceptable(d->cinfo.image_width, d->cinfo.image_height);
}

bool IsCmyk(const TJpegDecoder* d) { return d->cinfo.jpeg_color_space == JCS_CMYK || d->cinfo.jpeg_color_space == JCS_YCCK; }

// Starts decompression: BGRX output for colour and grey, CMYK (four bytes too) for CMYK and
// YCCK, converted by the caller. A progressive or multi-scan file is read in full here, so a
// truncated one fails before the caller allocates the bitmap.
bool StartJpeg(TJpegDecoder* d) {
  if (setjmp(d->err.jump)) return false;
  d->cinfo.out_color_space = IsCmyk(d) ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_start_decompress(&d->cinfo);
  return d->cinfo.output_width == d->cinfo.image_width && d->cinfo.output_height == d->cinfo.image_height &&
         d->cinfo.output_components == 4;
}

// Decodes into the bitmap's rows and reads on to the end-of-image marker, so truncation
// anywhere is noticed.
bool ReadJpegPixels(TJpegDecoder* d, std::uint8_t* row0, std::ptrdiff_t stride) {
  if (setjmp(d->err.jump)) return false;
  while (d->cinfo.output_scanline < d->cinfo.output_height) {
    JSAMPROW row = row0 + std::ptrdiff_t(d->cinfo.output_scanline) * stride;
    if (jpeg_read_scanlines(&d->cinfo, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(&d->cinfo);
  return true;
}

// In a Huffman-coded sequential file every 8 × 8 block costs at least two bits (a DC code and
// an end-of-block code, each at least one bit long), so the file must have at least
// pixels / 256 bytes. Anything smaller cannot be complete and is refused before allocating.
// (Progressive and arithmetic-coded files can be smaller; StartJpeg reads those in full first.)
bool PlausibleDataSize(const TJpegDecoder* d, std::size_t size) {
  if (d->cinfo.progressive_mode || d->cinfo.arith_code) return true;
  const std::uint64_t pixels = std::uint64_t(d->cinfo.image_width) * d->cinfo.image_height;
  return pixels <= std::uint64_t(size) * 256 + 65536;
}

class TJpegDecoderGuard {
 public:
  explicit TJpegDecoderGuard(TJpegDecoder& d) : d_(d) {}
  ~TJpegDecoderGuard() {
    if (d_.created) jpeg_destroy_decompress(&d_.cinfo);
  }
  TJpegDecoderGuard(const TJpegDecoderGuard&) = delete;
  TJpegDecoderGuard& operator=(const TJpegDecoderGuard&) = delete;

 private:
  TJpegDecoder& d_;
};

// CMYK to BGR with alpha 0, in place. Adobe-marked files store 255 − ink, the others the ink.
void CmykToBgr(TBitmap32& bitmap, bool inverted) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* p = reinterpret_cast<std::uint8_t*>(bitmap.Row(y));
    for (int x = 0; x < bitmap.Width(); ++x, p += 4) {
      std::uint32_t c = p[0], m = p[1], ye = p[2], k = p[3];
      if (!inverted) c = 255 - c, m = 255 - m, ye = 255 - ye, k = 255 - k;
      p[0] = std::uint8_t((ye * k + 127) / 255);
      p[1] = std::uint8_t((m * k + 127) / 255);
      p[2] = std::uint8_t((c * k + 127) / 255);
      p[3] = 0;
    }
  }
}

struct TJpegEncoder {
  jpeg_compress_struct cinfo;
  TJpegErrorMgr err;
  jpeg_destination_mgr dest;
  unsigned char* buffer;
  std::size_t capacity;
  std::size_t length;
  bool created;
};

TJpegEncoder* EncoderOf(j_compress_ptr cinfo) { return static_cast<TJpegEncoder*>(cinfo->client_data); }

void InitDestination(j_compress_ptr cinfo) {
  TJpegEncoder* e = EncoderOf(cinfo);
  e->capacity = 64 * 1024;
  e->buffer = static_cast<unsigned char*>(std::malloc(e->capacity));
  if (!e->buffer) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
  e->dest.next_output_byte = e->buffer;
  e->dest.free_in_buffer = e->capacity;
}

boolean GrowDestination(j_compress_ptr cinfo) {
  TJpegEncoder* e = EncoderOf(cinfo);
  const std::size_t used = e->capacity;  // libjpeg calls this only with the buffer full
  auto* grown = static_cast<unsigned char*>(std::realloc(e->buffer, used * 2));
  if (!grown) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
  e->buffer = grown;
  e->capacity = used * 2;
  e->dest.next_output_byte = e->buffer + used;
  e->dest.free_in_buffer = e->capacity - used;
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  TJpegEncoder* e = EncoderOf(cinfo);
  e->length = e->capacity - e->dest.free_in_buffer;
}

bool WriteJpeg(TJpegEncoder* e, const TBitmap32* bitmap, int quality) {
  e->cinfo.err = &e->err.pub;
  InstallErrorManager(&e->err);
  if (setjmp(e->err.jump)) return false;
  jpeg_create_compress(&e->cinfo);
  e->created = true;
  e->cinfo.client_data = e;
  e->dest.init_destination = InitDestination;
  e->dest.empty_output_buffer = GrowDestination;
  e->dest.term_destination = TermDestination;
  e->cinfo.dest = &e->dest;
  e->cinfo.image_width = JDIMENSION(bitmap->Width());
  e->cinfo.image_height = JDIMENSION(bitmap->Height());
  e->cinfo.input_components = 4;
  e->cinfo.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&e->cinfo);
  jpeg_set_quality(&e->cinfo, quality, TRUE);
  jpeg_start_compress(&e->cinfo, TRUE);
  while (e->cinfo.next_scanline < e->cinfo.image_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(const_cast<std::uint32_t*>(bitmap->Row(int(e->cinfo.next_scanline))));
    jpeg_write_scanlines(&e->cinfo, &row, 1);
  }
  jpeg_finish_compress(&e->cinfo);
  return true;
}

class TJpegEncoderGuard {
 public:
  explicit TJpegEncoderGuard(TJpegEncoder& e) : e_(e) {}
  ~TJpegEncoderGuard() {
    if (e_.created) jpeg_destroy_compress(&e_.cinfo);
    std::free(e_.buffer);
  }
  TJpegEncoderGuard(const TJpegEncoderGuard&) = delete;
  TJpegEncoderGuard& operator=(const TJpegEncoderGuard&) = delete;

 private:
  TJpegEncoder& e_;
};

bool SizeFitsLibjpeg(std::size_t size) { return size <= std::numeric_limits<unsigned long>::max(); }

}  // namespace

bool IsJpeg(const std::uint8_t* data, std::size_t size) {
  return data && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

TImageSize JpegSize(const std::uint8_t* data, std::size_t size) {
  if (!IsJpeg(data, size) || !SizeFitsLibjpeg(size)) throw EImageError(kInvalidJpeg);
  TJpegDecoder d{};
  TJpegDecoderGuard guard(d);
  if (!ReadJpegHeader(&d, data, size)) throw EImageError(kInvalidJpeg);
  return {int(d.cinfo.image_width), int(d.cinfo.image_height)};
}

TBitmap32 DecodeJpeg(const std::uint8_t* data, std::size_t size) { return DecodeJpegImage(data, size).Pixels; }

TDecodedImage DecodeJpegImage(const std::uint8_t* data, std::size_t size) {
  if (!IsJpeg(data, size) || !SizeFitsLibjpeg(size)) throw EImageError(kInvalidJpeg);
  TJpegDecoder d{};
  TJpegDecoderGuard guard(d);
  if (!ReadJpegHeader(&d, data, size) || !PlausibleDataSize(&d, size) || !StartJpeg(&d))
    throw EImageError(kInvalidJpeg);
  TDecodedImage image;
  image.Format = TImageFormat::ifJpeg;
  image.BitsPerPixel = d.cinfo.num_components * d.cinfo.data_precision;
  image.StoredSize = {int(d.cinfo.image_width), int(d.cinfo.image_height)};
  image.Pixels = TBitmap32(int(d.cinfo.image_width), int(d.cinfo.image_height));
  TBitmap32& bitmap = image.Pixels;
  if (!ReadJpegPixels(&d, reinterpret_cast<std::uint8_t*>(bitmap.Row(0)), bitmap.Stride()))
    throw EImageError(kInvalidJpeg);
  if (IsCmyk(&d)) {
    CmykToBgr(bitmap, d.cinfo.saw_Adobe_marker != 0);
  } else {
    // libjpeg fills the X byte with 0xFF; opaque sources carry alpha 0 here.
    for (int y = 0; y < bitmap.Height(); ++y) {
      std::uint32_t* row = bitmap.Row(y);
      for (int x = 0; x < bitmap.Width(); ++x) row[x] &= 0x00FFFFFFu;
    }
  }
  return image;
}

std::vector<std::uint8_t> EncodeJpeg(const TBitmap32& bitmap, int quality) {
  if (bitmap.Empty()) throw EImageError("Cannot encode an empty image");
  TJpegEncoder e{};
  TJpegEncoderGuard guard(e);
  if (!WriteJpeg(&e, &bitmap, std::clamp(quality, 1, 100))) throw EImageError("Cannot encode JPEG image");
  return std::vector<std::uint8_t>(e.buffer, e.buffer + e.length);
}
