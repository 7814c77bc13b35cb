// The image writer: one image, from its ImageSpec to its records, in any of the
// formats.
//
// The run starts a writer on a descriptor, writes the start of the image,
// hands it the ranges (whole, or cut at multiples of 32 bytes, which yields
// the same records) and writes the end.  Every writer returns false at the
// first failed write, with errno saying why; callers stop there.
#ifndef TOLLIVEX_SREC_SREC_H_
#define TOLLIVEX_SREC_SREC_H_

#include <cstdint>
#include <string>

#include "srec/fill.h"
#include "srec/image.h"
#include "srec/output.h"
#include "srec/pins.h"

// The data bytes are made a stretch of this many at a time: the fill in one
// loop, then the pinned bytes.  A multiple of 32, so that no record
// straddles two stretches.
constexpr size_t kStretchBytes = 4096;

struct ImageWriter {
  const ImageSpec* image;
  FillGenerator fill;  // Seeded from the image; unused with a pattern.
  // The pattern written out to a stretch and a pattern more, so that the
  // fill of any stretch is one copy from offset position % pattern size.
  std::vector<uint8_t> pattern;
  uint8_t stretch[kStretchBytes];
  PinMap pins;
  Output out;
  // Intel HEX: the upper 16 bits of address that the last extended linear
  // address record set.
  uint32_t upperAddress;
  // Binary: the address of the file's first byte, and the offset one past
  // the highest byte written so far.
  uint32_t binaryBase;
  uint64_t binaryEnd;
};

// Prepares writer to write image, which must outlive it, to fd.
// A positional fd is a file of the writer's own, written by position;
// otherwise bytes go out in order, and a binary image must have its ranges
// in rising order without overlap.
void startImageWriter(ImageWriter* writer, const ImageSpec& image, int fd,
                      bool positional = true);

// Writes what comes before the data: the S0 record carrying the image's
// name, or nothing in the other formats.
bool writeImageStart(ImageWriter* writer);

// Writes the S0 record that carries the first 36 bytes of text.
bool writeHeaderRecord(ImageWriter* writer, const std::string& text);

// Writes one data record of count (1 to 32) bytes at address, in the image's
// format (S1/S2/S3 by the address): the fill, with pinned bytes in place.
bool writeRecord(ImageWriter* writer, uint32_t address, unsigned count);

// Same as writeRecord, but takes count modulo 256 and writes nothing for 0.
bool writeRecordIfNonEmpty(ImageWriter* writer, uint32_t address,
                           unsigned count);

// Writes the records for the inclusive range start..end of the image's
// addresses, in rising order, never crossing a multiple of 32 bytes (16
// words).  Nothing is written when start > end.
bool writeRange(ImageWriter* writer, uint32_t start, uint32_t end);

// Writes the S9 record with the low 16 bits of address.
bool writeTerminatorRecord(ImageWriter* writer, uint32_t address);

// Writes what comes after the data, the S9 record or the Intel HEX end
// record, and then everything the writer still holds.
bool writeImageEnd(ImageWriter* writer);

// Writes out what the writer holds.
bool finishImage(ImageWriter* writer);

// Stops a writer whose image failed, so that its descriptor can be closed;
// keeps errno.
void abandonImage(ImageWriter* writer);

#endif  // TOLLIVEX_SREC_SREC_H_
