// Micro-benchmarks of the image writer, writing into /dev/null so that only
// the fill, the pins and the formatting are measured.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include "image/device_profile.h"
#include "image/driver.h"

namespace {

// Arguments: data bytes; 1 to pin the hcs08 profile's blocks; 1 for word
// addresses; 1 for a pattern fill; how many 4-byte pins lie outside the
// range; the format (0 S-records, 1 Intel HEX, 2 binary).
void Range(benchmark::State& state) {
  ImageSpec image;
  if (state.range(1) != 0) {
    const DeviceProfile* hcs08 = findDeviceProfile("-hcs08");
    image.securityRegion = hcs08->security;
    image.blankRegion = hcs08->blank;
  }
  image.unit = state.range(2) != 0 ? 2 : 1;
  if (state.range(3) != 0) image.pattern = {0xFF};
  image.format = static_cast<ImageFormat>(state.range(5));
  for (int64_t i = 0; i < state.range(4); ++i)
    image.pins.push_back({0xF0000000u + 64 * static_cast<uint32_t>(i),
                          {0xDE, 0xAD, 0xBE, 0xEF}});
  image.pairs = {{0, static_cast<uint32_t>(state.range(0) / image.unit - 1)}};
  int fd = open("/dev/null", O_WRONLY);
  Output out;
  for (auto _ : state) {
    openOutput(&out, fd, true);
    bool ok = writeImage(image, &out);
    benchmark::DoNotOptimize(ok);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
  close(fd);
}

// The floor: the fill bytes of a stretch, and nothing else, with each
// kernel (0 scalar, 1 SSE2, 2 AVX2) the CPU has.
void FillStretch(benchmark::State& state) {
  FillGenerator fill;
  seedFill(&fill, 1);
  if (state.range(0) > static_cast<int64_t>(bestFillKernel())) {
    state.SkipWithError("the CPU lacks this kernel");
    return;
  }
  fill.kernel = static_cast<FillKernel>(state.range(0));
  uint8_t bytes[kStretchBytes];
  for (auto _ : state) {
    fillBytes(&fill, bytes, sizeof bytes);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(state.iterations() * kStretchBytes);
}

void ranges(benchmark::internal::Benchmark* b) {
  for (int64_t size : {int64_t{1} << 10, int64_t{16} << 20}) {
    b->Args({size, 0, 0, 0, 0, 0});  // Random bytes.
    b->Args({size, 1, 0, 0, 0, 0});  // With the hcs08 profile.
    b->Args({size, 0, 1, 0, 0, 0});  // Words.
    b->Args({size, 0, 0, 1, 0, 0});  // -fill FF.
    b->Args({size, 0, 0, 0, 3, 0});  // Three pins elsewhere.
    b->Args({size, 0, 0, 0, 0, 1});  // Intel HEX.
    b->Args({size, 0, 0, 0, 0, 2});  // Binary.
  }
  b->ArgNames({"bytes", "profile", "word", "pattern", "pins", "format"});
}

BENCHMARK(Range)->Apply(ranges)->Unit(benchmark::kMillisecond);
BENCHMARK(FillStretch)->DenseRange(0, 2)->ArgName("kernel");

}  // namespace

BENCHMARK_MAIN();
