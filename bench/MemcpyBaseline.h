// memcpy of n bytes: the yardstick every painting benchmark is compared with, measured in the
// same run as the figure it judges.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

inline void MemcpyBaseline(benchmark::State& state, std::size_t n) {
  std::vector<std::uint8_t> a(n, 1), b(n, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), n);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(n));
}
