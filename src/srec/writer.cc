// The record stream: each range cut into aligned records, the data bytes of
// each record, and the encoder that writes them.
//
// The loops count in 64 bits so that a range ending at 0xFFFFFFFF, or a word
// range of 2^31 words or more, stops after its last record instead of
// wrapping around to address 0 and running forever.
#include <cstring>

#include "srec/encoders.h"
#include "srec/srec.h"

namespace {

// The data bytes of the record of count bytes at address: the fill, then
// the profile's regions, then the pins.
inline void recordBytes(ImageWriter* writer, uint32_t address, unsigned count,
                        PinCursor* pins, uint8_t* bytes) {
  const ImageSpec& spec = *writer->spec;
  uint64_t position = uint64_t{address} * spec.unit;
  if (spec.pattern.empty()) {
    // One draw per byte even where a pin replaces it, so that the fill of
    // every later byte depends only on the seed and on how many data bytes
    // came before.
    const uint32_t* words = drawFill(&writer->fill, count);
    for (unsigned k = 0; k < count; ++k) bytes[k] = fillByte(words[k] >> 1);
  } else {
    memcpy(bytes, writer->pattern + position % spec.pattern.size(), count);
  }
  applyRegion(spec.securityRegion, address, count, bytes);
  applyRegion(spec.blankRegion, address, count, bytes);  // The blank one wins.
  applyPins(pins, position, count, bytes);
}

bool putRecord(ImageWriter* writer, uint32_t address, unsigned count,
               PinCursor* pins) {
  uint8_t bytes[32];
  recordBytes(writer, address, count, pins, bytes);
  Output* out = &writer->out;
  if (!reserveOutput(out, kMaxSRecordLine)) return false;
  commitOutput(out, formatSRecord(outputEnd(out), address, bytes, count));
  return true;
}

}  // namespace

void startImageWriter(ImageWriter* writer, const ImageSpec& spec, int fd) {
  writer->spec = &spec;
  if (spec.pattern.empty()) {
    seedFill(&writer->fill, spec.seed);
  } else {
    for (size_t i = 0; i < sizeof writer->pattern; ++i)
      writer->pattern[i] = spec.pattern[i % spec.pattern.size()];
  }
  writer->pins = mapPins(spec);
  openOutput(&writer->out, fd);
}

bool writeRecord(ImageWriter* writer, uint32_t address, unsigned count) {
  PinCursor pins =
      findPins(writer->pins, uint64_t{address} * writer->spec->unit);
  return putRecord(writer, address, count, &pins);
}

bool writeRecordIfNonEmpty(ImageWriter* writer, uint32_t address,
                           unsigned count) {
  count &= 0xFF;
  return count == 0 || writeRecord(writer, address, count);
}

bool writeRange(ImageWriter* writer, uint32_t start, uint32_t end) {
  const unsigned unit = writer->spec->unit;
  const uint64_t perRecord = 32 / unit;  // Addresses.
  PinCursor pins = findPins(writer->pins, uint64_t{start} * unit);
  for (uint64_t a = start; a <= end;) {
    uint64_t n = perRecord - a % perRecord;  // Up to the next boundary.
    uint64_t remaining = uint64_t{end} + 1 - a;
    if (remaining < n) n = remaining;
    if (!putRecord(writer, static_cast<uint32_t>(a),
                   static_cast<unsigned>(n * unit), &pins))
      return false;
    a += n;
  }
  return true;
}

bool finishImage(ImageWriter* writer) { return flushOutput(&writer->out); }
