#include "setup/PayloadInflate.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "framework/Utf.h"

namespace {
constexpr std::size_t kInflateInputChunk = 64 * 1024;

[[noreturn]] void ThrowZlib(int code) {
  // A preset dictionary is never part of a payload: such a stream is corrupt data.
  if (code == Z_NEED_DICT) code = Z_DATA_ERROR;
  throw EDecompressionError(Utf8ToWide(zError(code)));
}

// A decompressor reading from a stream, handing out inflated bytes on request. Owns the zlib state
// and the input buffer; the state is released also when a step throws.
class TInflater {
 public:
  explicit TInflater(TStream& source) : source_(source) {
    const int rc = inflateInit2(&z_, 15);
    if (rc != Z_OK) ThrowZlib(rc);
  }
  ~TInflater() { inflateEnd(&z_); }
  TInflater(const TInflater&) = delete;
  TInflater& operator=(const TInflater&) = delete;

  // Fills up to count bytes; fewer only when the zlib stream or the source has ended.
  std::size_t Read(std::uint8_t* out, std::size_t count) {
    if (finished_) return 0;
    z_.next_out = out;
    z_.avail_out = uInt(count);
    while (z_.avail_out > 0) {
      if (z_.avail_in == 0) {
        const std::size_t got = source_.Read(in_.data(), in_.size());
        if (got == 0) break;  // the source is cut off: deliver what there is
        z_.next_in = in_.data();
        z_.avail_in = uInt(got);
      }
      const int rc = inflate(&z_, Z_NO_FLUSH);
      if (rc == Z_STREAM_END) {
        finished_ = true;
        break;
      }
      if (rc != Z_OK) ThrowZlib(rc);
    }
    return count - z_.avail_out;
  }

 private:
  TStream& source_;
  z_stream z_{};
  // The compressed side is read in larger pieces than the inflated side is handed out: every
  // refill sends zlib through its slow path for a while, so fewer refills are faster.
  std::vector<std::uint8_t> in_ = std::vector<std::uint8_t>(kInflateInputChunk);
  bool finished_ = false;
};
}  // namespace

void InflateStream(TStream& source, TStream& dest) {
  // Program files inflate to about one and a half times their packed size: let a memory
  // destination make room for twice it once, instead of growing and copying as it fills.
  const std::int64_t packed = source.Size() - source.Position();
  constexpr std::int64_t kMaxExpected = std::int64_t(256) << 20;
  if (packed > 0) dest.ExpectWrite(std::min(packed * 2, kMaxExpected));
  TInflater inflater(source);
  std::array<std::uint8_t, kInflateChunk> chunk;
  for (;;) {
    const std::size_t n = inflater.Read(chunk.data(), chunk.size());
    if (n == 0) break;
    dest.WriteBuffer(chunk.data(), n);
  }
}
