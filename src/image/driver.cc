// The one way an image is written from its ImageSpec into an output.
#include "image/driver.h"

#include "image/record_cut.h"

void startImage(ImageDriver* driver, const ImageSpec& image, Output* out) {
  startImageWriter(&driver->writer, image, out);
  driver->pair = 0;
  driver->next = image.pairs.empty() ? 0 : image.pairs[0].start;
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
  // Skip the pairs that hold nothing, and the ones done.
  while (driver->pair < image.pairs.size() &&
         driver->next > image.pairs[driver->pair].end) {
    if (++driver->pair < image.pairs.size())
      driver->next = image.pairs[driver->pair].start;
  }
  if (ok && driver->pair == image.pairs.size()) {
    if (writeImageEnd(writer)) return DriveStep::kDone;
    ok = false;
  }
  if (ok) {
    const AddressPair& pair = image.pairs[driver->pair];
    uint64_t last = driver->next + kSliceBytes / image.unit - 1;
    last = last < pair.end
               ? lastRecordEnd(addressesPerRecord(image), driver->next, last)
               : pair.end;
    auto from = static_cast<uint32_t>(driver->next);
    auto to = static_cast<uint32_t>(last);
    ok = writeRange(writer, from, to, driver->draw);
    *bytes = pairBytes({from, to}, image.unit);
    driver->draw += *bytes;
    driver->next = last + 1;
  }
  if (ok) return DriveStep::kMore;
  abandonOutput(writer->out);
  return DriveStep::kFailed;
}
