// The check values of an image, worked out from its bytes as they are made.
#include "image/check_runs.h"

#include <algorithm>

namespace {

// Takes the region's bytes no range covers, up to address (exclusive), as
// erased flash.
void takeErased(CheckRun* run, uint64_t address) {
  if (address <= run->next) return;
  updateCheckRepeated(&run->sum, 0xFF, address - run->next);
  run->next = address;
}

}  // namespace

std::vector<CheckRun> startCheckRuns(const ImageSpec& image) {
  std::vector<CheckRun> runs(image.checks.size());
  for (size_t i = 0; i < runs.size(); ++i) {
    runs[i].check = &image.checks[i];
    startCheck(&runs[i].sum, *image.checks[i].kind);
    runs[i].next = image.checks[i].start;
    runs[i].known = false;
  }
  return runs;
}

void takeImageBytes(std::vector<CheckRun>* runs, uint32_t address,
                    const uint8_t* bytes, size_t count) {
  const uint64_t last = uint64_t{address} + count - 1;
  for (CheckRun& run : *runs) {
    if (run.known) continue;
    const uint64_t from = std::max<uint64_t>(address, run.check->start);
    const uint64_t to = std::min<uint64_t>(last, run.check->end);
    if (from <= to) {
      takeErased(&run, from);
      updateCheck(&run.sum, bytes + (from - address), to - from + 1);
      run.next = to + 1;
    }
    if (last >= run.check->end) finishCheckRun(&run);
  }
}

void finishCheckRun(CheckRun* run) {
  if (run->known) return;
  takeErased(run, uint64_t{run->check->end} + 1);
  const uint32_t value = checkValue(run->sum);
  const unsigned width = valueBytes(*run->check->kind);
  for (unsigned i = 0; i < width; ++i) {
    unsigned shift = 8 * (run->check->bigEndian ? width - 1 - i : i);
    run->value[i] = static_cast<uint8_t>(value >> shift);
  }
  run->known = true;
}

void placeCheckValues(std::vector<CheckRun>* runs, uint32_t address,
                      uint8_t* bytes, size_t count) {
  const uint64_t last = uint64_t{address} + count - 1;
  for (CheckRun& run : *runs) {
    const uint64_t at = run.check->address;
    const unsigned width = valueBytes(*run.check->kind);
    if (at > last || at + width - 1 < address) continue;
    finishCheckRun(&run);  // Its region lies before these bytes.
    for (unsigned i = 0; i < width; ++i)
      if (at + i >= address && at + i <= last)
        bytes[at + i - address] = run.value[i];
  }
}
