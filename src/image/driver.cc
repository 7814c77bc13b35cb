// The one way an image is written from its ImageSpec into an output.
#include "image/driver.h"

#include <algorithm>

#include "image/align.h"
#include "image/record_cut.h"

namespace {

// Makes pair the one being written, from its first run on.
void startPair(ImageDriver* driver, size_t pair) {
  const ImageSpec& image = *driver->writer.image;
  driver->pair = pair;
  driver->runs.clear();
  if (pair < image.pairs.size()) driver->runs = runsOf(image, pair);
  driver->run = 0;
  driver->next = driver->runs.empty() ? 0 : driver->runs[0].start;
}

}  // namespace

void startImage(ImageDriver* driver, const ImageSpec& image, Output* out) {
  startImageWriter(&driver->writer, image, out);
  startPair(driver, 0);
  driver->draw = 0;
  driver->started = false;
}

DriveStep driveImage(ImageDriver* driver, uint64_t* bytes) {
  ImageWriter* writer = &driver->writer;
  const ImageSpec& image = *writer->image;
  *bytes = 0;
  bool ok = true;
  if (!driver->started) {
    ok = writeImageStart(writer);
    driver->started = true;
  }
  // Skip the runs done, and the pairs with none left.
  while (driver->pair < image.pairs.size() &&
         (driver->run == driver->runs.size() ||
          driver->next > driver->runs[driver->run].end)) {
    if (driver->run < driver->runs.size() &&
        ++driver->run < driver->runs.size()) {
      driver->next = driver->runs[driver->run].start;
      continue;
    }
    driver->draw += pairBytes(image.pairs[driver->pair], image.unit);
    startPair(driver, driver->pair + 1);
  }
  if (ok && driver->pair == image.pairs.size()) {
    if (writeImageEnd(writer)) return DriveStep::kDone;
    ok = false;
  }
  if (ok) {
    const AddressPair& pair = image.pairs[driver->pair];
    const AddressPair& run = driver->runs[driver->run];
    uint64_t last = driver->next + kSliceBytes / image.unit - 1;
    last = last < run.end
               ? lastRecordEnd(addressesPerRecord(image), driver->next, last)
               : run.end;
    auto from = static_cast<uint32_t>(driver->next);
    auto to = static_cast<uint32_t>(last);
    ok = writeRange(writer, pair, driver->draw, from, to);
    // The progress counts the pair's own bytes, not its padding.
    *bytes = pairBytes({std::max(from, pair.start), std::min(to, pair.end)},
                       image.unit);
    driver->next = last + 1;
  }
  if (ok) return DriveStep::kMore;
  abandonOutput(writer->out);
  return DriveStep::kFailed;
}
