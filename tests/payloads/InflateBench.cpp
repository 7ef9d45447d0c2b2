// Speed of InflateStream (4096-byte chunks through the stream classes) against one plain zlib
// call inflating the same 20 MB payload into a ready buffer. A benchmark, not a test.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

#include "setup/PayloadInflate.h"

namespace {
constexpr std::size_t kPayloadSize = 20 * 1000 * 1000;

// Bytes that compress to roughly two thirds, like a program file: runs of skewed random values.
const std::vector<std::uint8_t>& Payload() {
  static const std::vector<std::uint8_t> data = [] {
    std::mt19937 rng(42);
    std::vector<std::uint8_t> d(kPayloadSize);
    for (std::size_t i = 0; i < d.size(); ++i) {
      const unsigned r = rng();
      d[i] = (r & 3) ? std::uint8_t((r >> 8) & 0x1F) : std::uint8_t(r >> 16);
    }
    return d;
  }();
  return data;
}

const std::vector<std::uint8_t>& Packed() {
  static const std::vector<std::uint8_t> packed = [] {
    const auto& data = Payload();
    uLongf size = compressBound(uLong(data.size()));
    std::vector<std::uint8_t> out(size);
    compress2(out.data(), &size, data.data(), uLong(data.size()), Z_BEST_COMPRESSION);
    out.resize(size);
    return out;
  }();
  return packed;
}

void BM_InflateStream(benchmark::State& state) {
  const auto& packed = Packed();
  for (auto _ : state) {
    TReadOnlyMemoryStream source(packed.data(), packed.size());
    TMemoryStream dest;
    InflateStream(source, dest);
    benchmark::DoNotOptimize(dest.Memory());
    if (std::size_t(dest.Size()) != kPayloadSize) state.SkipWithError("wrong size");
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kPayloadSize));
}

// The same, into a destination that only counts: the cost of the chunked inflation alone.
class TCountingSink : public TStream {
 public:
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void*, std::size_t count) override {
    total += count;
    return count;
  }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return std::int64_t(total); }
  std::size_t total = 0;
};

void BM_InflateStreamToSink(benchmark::State& state) {
  const auto& packed = Packed();
  for (auto _ : state) {
    TReadOnlyMemoryStream source(packed.data(), packed.size());
    TCountingSink dest;
    InflateStream(source, dest);
    if (dest.total != kPayloadSize) state.SkipWithError("wrong size");
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kPayloadSize));
}

// The same, into a buffer whose room is reserved beforehand: what a memory stream that knew the
// final size (or grew without copying) would cost.
class TReservedBuffer : public TStream {
 public:
  TReservedBuffer() { bytes.reserve(kPayloadSize); }
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void* buffer, std::size_t count) override {
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    bytes.insert(bytes.end(), p, p + count);
    return count;
  }
  std::int64_t Seek(std::int64_t, TSeekOrigin) override { return std::int64_t(bytes.size()); }
  std::vector<std::uint8_t> bytes;
};

void BM_InflateStreamReserved(benchmark::State& state) {
  const auto& packed = Packed();
  for (auto _ : state) {
    TReadOnlyMemoryStream source(packed.data(), packed.size());
    TReservedBuffer dest;
    InflateStream(source, dest);
    benchmark::DoNotOptimize(dest.bytes.data());
    if (dest.bytes.size() != kPayloadSize) state.SkipWithError("wrong size");
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kPayloadSize));
}

void BM_PlainUncompress(benchmark::State& state) {
  const auto& packed = Packed();
  for (auto _ : state) {
    std::vector<std::uint8_t> out(kPayloadSize);
    uLongf size = uLongf(out.size());
    if (uncompress(out.data(), &size, packed.data(), uLong(packed.size())) != Z_OK || size != kPayloadSize)
      state.SkipWithError("uncompress failed");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kPayloadSize));
}
}  // namespace

BENCHMARK(BM_PlainUncompress)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_InflateStream)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_InflateStreamReserved)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_InflateStreamToSink)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
