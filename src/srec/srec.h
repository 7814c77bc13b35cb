// The image writer: one image, from its spec to its records.
//
// The run starts a writer on a descriptor, writes the header, hands it the
// ranges (whole, or cut at multiples of 32 bytes, which yields the same
// records), writes the terminator and flushes.  Every writer returns false
// at the first failed write, with errno saying why; callers stop there.
#ifndef TOLLIVEX_SREC_SREC_H_
#define TOLLIVEX_SREC_SREC_H_

#include <cstdint>
#include <string>

#include "srec/fill.h"
#include "srec/image_spec.h"
#include "srec/output.h"
#include "srec/pins.h"

struct ImageWriter {
  const ImageSpec* spec;
  FillGenerator fill;  // Seeded from the spec; unused with a pattern.
  // The pattern written out to 48 bytes, so that the fill of any record is
  // one copy from offset position % pattern size.
  uint8_t pattern[48];
  PinMap pins;
  Output out;
};

// Prepares writer to write the image of spec, which must outlive it, to fd.
void startImageWriter(ImageWriter* writer, const ImageSpec& spec, int fd);

// Writes the S0 record that carries the first 36 bytes of text.
bool writeHeaderRecord(ImageWriter* writer, const std::string& text);

// Writes one data record of count (1 to 32) bytes at address, choosing
// S1/S2/S3 by the address: the fill, with pinned bytes in place.
bool writeRecord(ImageWriter* writer, uint32_t address, unsigned count);

// Same as writeRecord, but takes count modulo 256 and writes nothing for 0.
bool writeRecordIfNonEmpty(ImageWriter* writer, uint32_t address,
                           unsigned count);

// Writes the records for the inclusive range start..end of the spec's
// addresses, in rising order, never crossing a multiple of 32 bytes (16
// words).  Nothing is written when start > end.
bool writeRange(ImageWriter* writer, uint32_t start, uint32_t end);

// Writes the S9 record with the low 16 bits of address.
bool writeTerminatorRecord(ImageWriter* writer, uint32_t address);

// Writes out what the writer holds.
bool finishImage(ImageWriter* writer);

#endif  // TOLLIVEX_SREC_SREC_H_
