// The record stream: each range cut into aligned records, the data bytes of
// each record (fill, then pinned bytes), and the encoder of the image's
// format, into an output.
//
// Every writer returns false at the first failed write, with errno saying
// why; callers stop there.  The driver calls them in order.
#ifndef TOLLIVEX_IMAGE_WRITER_H_
#define TOLLIVEX_IMAGE_WRITER_H_

#include <cstdint>
#include <vector>

#include "format/binary.h"
#include "image/check_runs.h"
#include "image/fill.h"
#include "image/image.h"
#include "image/pins.h"
#include "io/output.h"

// The data bytes are made a stretch of at most this many at a time: the
// fill in one loop, then the pinned bytes.  A stretch ends where a record
// ends, so that no record straddles two.
constexpr size_t kStretchBytes = 4096;

struct ImageWriter {
  const ImageSpec* image;
  Output* out;
  FillGenerator fill;  // Seeded from the image; unused with a pattern.
  // The pattern written out to a stretch and a pattern more, so that the
  // fill of any stretch is one copy from offset position % pattern size.
  std::vector<uint8_t> pattern;
  // The encoders read whole vectors, up to 15 bytes past a record.
  uint8_t stretch[kStretchBytes + 16];
  PinMap pins;
  // Intel HEX: the upper 16 bits of address that the last extended linear
  // address record set.
  uint32_t upperAddress;
  BinaryLayout binary;
  uint64_t records;      // Data records written.
  unsigned widestField;  // S-records: the widest address field so far.
  std::vector<CheckRun> checks;
};

// Prepares writer to write image, which must outlive it, into out, and
// works out the check values placed before their regions.  An out that is
// not positional takes bytes in order only, so a binary image must then
// have its ranges in rising order without overlap.  With out null, the
// writer only makes the bytes, for the check runs put in writer->checks.
void startImageWriter(ImageWriter* writer, const ImageSpec& image, Output* out);

// Writes what comes before the data: the S0 record, or nothing in the other
// formats.
bool writeImageStart(ImageWriter* writer);

// Writes the records for the inclusive range start..end of the image's
// addresses, in rising order, cut as record_cut.h says.  Nothing is
// written when start > end.
bool writeRange(ImageWriter* writer, uint32_t start, uint32_t end);

// Writes what comes after the data (the S-record count and terminator, or
// the Intel HEX start address and end record), then everything the output
// still holds.
bool writeImageEnd(ImageWriter* writer);

#endif  // TOLLIVEX_IMAGE_WRITER_H_
