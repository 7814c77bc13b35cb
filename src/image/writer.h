// The record stream: each range cut into aligned records, the data bytes of
// each record (fill, pinned bytes, check values), handed to the encoder of
// the image's format, which formats them into the output.
//
// Every writer returns false at the first failed write; the output says
// why, and callers stop there.  The driver calls them in order.
#ifndef TOLLIVEX_IMAGE_WRITER_H_
#define TOLLIVEX_IMAGE_WRITER_H_

#include <cstdint>
#include <vector>

#include "format/encoder.h"
#include "image/check_runs.h"
#include "image/image.h"
#include "image/image_bytes.h"
#include "io/output.h"

struct ImageWriter {
  const ImageSpec* image;
  Output* out;
  ImageBytes bytes;
  KeyedAhead ahead;  // The keyed fill, when threads make it.
  Encoder encoder;
  std::vector<CheckValue> values;  // Of the image's checks.
  CheckPass checks;                // Works out the rest as the image goes.
  // The bytes of a stretch, and its records: one a byte at the most, and
  // one more where a multiple of 0x10000 cuts one.  The encoders read
  // whole vectors, up to 15 bytes past a record.
  uint8_t stretch[kStretchBytes + 16];
  RecordCut cuts[kStretchBytes + 1];
  RecordCut pieces[kStretchBytes + 1];  // Of the records, outside the zones.
};

// Prepares writer to write image, which must outlive it, into out, and
// works out the check values placed before their regions.  An out that is
// not positional takes bytes in order only, so a binary image must then
// have its ranges in rising order without overlap.
void startImageWriter(ImageWriter* writer, const ImageSpec& image, Output* out);

// Writes what comes before the data: the S0 record, or nothing in the other
// formats.
bool writeImageStart(ImageWriter* writer);

// Writes the records for the inclusive range start..end of the image's
// addresses, a piece of a run of pair (its own addresses and its padding,
// see align.h) that starts where a record starts or the run does, in
// rising order; the pair's first byte takes the pairDraw-th value of the
// fill.  Nothing is written when start > end.
bool writeRange(ImageWriter* writer, const AddressPair& pair, uint64_t pairDraw,
                uint32_t start, uint32_t end);

// Writes what comes after the data (the S-record count and terminator, or
// the Intel HEX start address and end record), then everything the output
// still holds.
bool writeImageEnd(ImageWriter* writer);

#endif  // TOLLIVEX_IMAGE_WRITER_H_
