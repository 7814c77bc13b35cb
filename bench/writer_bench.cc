// Micro-benchmarks of the record writer and both splitters, writing into
// /dev/null so that only formatting and the fill are measured.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "cli/device_profile.h"
#include "cli/scan.h"
#include "srec/fill.h"
#include "srec/srec.h"

namespace {

// Arguments: data bytes, and 1 to pin the hcs08 profile's blocks.
void runRange(benchmark::State& state, bool words) {
  FILE* out = fopen("/dev/null", "w");
  resetSettings();
  if (state.range(1) != 0) applyDeviceProfile(*findDeviceProfile("-hcs08"));
  auto bytes = static_cast<uint32_t>(state.range(0));
  seedFill(1);
  for (auto _ : state) {
    bool ok = words ? writeWordRange(out, 0, bytes / 2 - 1)
                    : writeByteRange(out, 0, bytes - 1);
    benchmark::DoNotOptimize(ok);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
  resetSettings();
  fclose(out);
}

void ByteRange(benchmark::State& state) { runRange(state, false); }
void WordRange(benchmark::State& state) { runRange(state, true); }

void Record32(benchmark::State& state) {
  FILE* out = fopen("/dev/null", "w");
  uint32_t address = 0;
  for (auto _ : state) {
    writeRecord(out, address, 32);
    address += 32;
  }
  state.SetBytesProcessed(state.iterations() * 32);
  fclose(out);
}

// The floor: the 32 fill values a full record draws, and nothing else.
void Fill32(benchmark::State& state) {
  seedFill(1);
  for (auto _ : state) benchmark::DoNotOptimize(drawFill(32)[31]);
  state.SetBytesProcessed(state.iterations() * 32);
}

void sizes(benchmark::internal::Benchmark* b) {
  for (int64_t size : {int64_t{1} << 10, int64_t{16} << 20})
    for (int64_t profile : {0, 1}) b->Args({size, profile});
}

BENCHMARK(ByteRange)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(WordRange)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(Record32);
BENCHMARK(Fill32);

}  // namespace

BENCHMARK_MAIN();
