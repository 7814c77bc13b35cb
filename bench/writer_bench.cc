// Micro-benchmarks of the image writer, writing into /dev/null so that only
// the fill, the pins and the formatting are measured.  The driver is
// static: it holds a stretch of bytes and its records.
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
  if (state.range(1) != 0) image.profile = findDeviceProfile("-hcs08");
  image.unit = state.range(2) != 0 ? 2 : 1;
  if (state.range(3) != 0) image.pattern = {0xFF};
  image.format = static_cast<ImageFormat>(state.range(5));
  for (int64_t i = 0; i < state.range(4); ++i)
    image.pins.push_back({0xF0000000u + 64 * static_cast<uint32_t>(i),
                          {0xDE, 0xAD, 0xBE, 0xEF}});
  image.pairs = {{0, static_cast<uint32_t>(state.range(0) / image.unit - 1)}};
  int fd = open("/dev/null", O_WRONLY);
  Output out;
  static ImageDriver driver;
  for (auto _ : state) {
    openOutput(&out, realSystem(), fd, true);
    startImage(&driver, image, &out);
    DriveStep step;
    uint64_t bytes;
    while ((step = driveImage(&driver, &bytes)) == DriveStep::kMore) {
    }
    benchmark::DoNotOptimize(step);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
  close(fd);
}

// The floor: the fill bytes of a stretch, and nothing else.
void FillStretch(benchmark::State& state) {
  FillGenerator fill;
  seedFill(&fill, 1);
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
BENCHMARK(FillStretch);

}  // namespace

BENCHMARK_MAIN();
