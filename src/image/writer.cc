// The record stream: each range cut into aligned records, the data bytes of
// each record, and the encoder that writes them.
//
// The loops count in 64 bits so that a range ending at 0xFFFFFFFF, or a word
// range of 2^31 words or more, stops after its last record instead of
// wrapping around to address 0 and running forever.
#include "image/writer.h"

#include <cstring>

#include "format/intel_hex.h"
#include "format/srecord.h"

namespace {

// Writes the fill of the size bytes from byte position on to bytes.
void fillStretch(ImageWriter* writer, uint64_t position, size_t size,
                 uint8_t* bytes) {
  const std::vector<uint8_t>& pattern = writer->image->pattern;
  if (pattern.empty()) {
    // One draw per byte even where a pin replaces it, so that the fill of
    // every later byte depends only on the seed and on how many data bytes
    // came before.
    fillBytes(&writer->fill, bytes, size);
  } else {
    memcpy(bytes, writer->pattern.data() + position % pattern.size(), size);
  }
}

// Puts the pinned bytes into the count bytes at address: the profile's
// regions, then the pins.  In a word image this must go record by record,
// as the regions are matched at a record's address plus the byte's index.
inline void pinBytes(ImageWriter* writer, uint32_t address, size_t count,
                     PinCursor* pins, uint8_t* bytes) {
  const ImageSpec& image = *writer->image;
  applyRegion(image.securityRegion, address, count, bytes);
  applyRegion(image.blankRegion, address, count, bytes);  // The blank one wins.
  applyPins(pins, uint64_t{address} * image.unit, count, bytes);
}

// Encodes the record of count bytes at address in a text format.
inline bool encodeRecord(ImageWriter* writer, uint32_t address,
                         const uint8_t* bytes, unsigned count) {
  Output* out = writer->out;
  switch (writer->image->format) {
    case ImageFormat::kSRecord:
      if (!reserveOutput(out, kMaxSRecordLine)) return false;
      commitOutput(out,
                   formatSRecordData(outputEnd(out), address, bytes, count));
      return true;
    case ImageFormat::kIntelHex:
      if (!reserveOutput(out, kMaxIntelHexText)) return false;
      commitOutput(out, formatIntelHexData(outputEnd(out), address, bytes,
                                           count, &writer->upperAddress));
      return true;
    case ImageFormat::kBinary:
      return true;
  }
  return false;
}

// Makes room for the size bytes at address of a binary image, right in the
// output, after erased flash over any gap; null when a write failed.
uint8_t* placeInOutput(ImageWriter* writer, uint32_t address, size_t size) {
  Output* out = writer->out;
  BinaryPlace place = placeBinary(&writer->binary, address, size);
  if (!seekOutput(out, place.offset - place.gap) ||
      !repeatOutput(out, kErasedByte, place.gap) || !reserveOutput(out, size))
    return nullptr;
  auto* bytes = reinterpret_cast<uint8_t*>(outputEnd(out));
  out->used += size;
  return bytes;
}

// Writes the records of addresses first..last, which lie in one stretch.
bool writeStretch(ImageWriter* writer, uint64_t first, uint64_t last,
                  PinCursor* pins) {
  const unsigned unit = writer->image->unit;
  const auto address = static_cast<uint32_t>(first);
  const size_t size = (last - first + 1) * unit;
  // A binary image takes the bytes in place, in the output.
  uint8_t* bytes = writer->stretch;
  if (writer->image->format == ImageFormat::kBinary) {
    bytes = placeInOutput(writer, address, size);
    if (bytes == nullptr) return false;
  }
  fillStretch(writer, first * unit, size, bytes);
  // In a byte image a record's regions match at its byte addresses, so the
  // whole stretch is pinned at once.
  if (unit == 1) pinBytes(writer, address, size, pins, bytes);
  if (writer->image->format == ImageFormat::kBinary) return true;
  const uint64_t perRecord = 32 / unit;  // Addresses.
  for (uint64_t a = first; a <= last;) {
    uint64_t n = perRecord - a % perRecord;  // Up to the next boundary.
    if (last + 1 - a < n) n = last + 1 - a;
    auto count = static_cast<unsigned>(n * unit);
    uint8_t* record = bytes + (a - first) * unit;
    if (unit != 1)
      pinBytes(writer, static_cast<uint32_t>(a), count, pins, record);
    if (!encodeRecord(writer, static_cast<uint32_t>(a), record, count))
      return false;
    a += n;
  }
  return true;
}

}  // namespace

void startImageWriter(ImageWriter* writer, const ImageSpec& image,
                      Output* out) {
  writer->image = &image;
  writer->out = out;
  const std::vector<uint8_t>& pattern = image.pattern;
  if (pattern.empty()) {
    seedFill(&writer->fill, image.seed);
  } else {
    writer->pattern.resize(kStretchBytes + pattern.size());
    for (size_t i = 0; i < writer->pattern.size(); ++i)
      writer->pattern[i] = pattern[i % pattern.size()];
  }
  writer->pins = mapPins(image);
  writer->upperAddress = kNoUpperAddress;
  uint32_t high;
  writer->binary = {0, 0};
  imageSpan(image, &writer->binary.base, &high);
}

bool writeImageStart(ImageWriter* writer) {
  if (writer->image->format != ImageFormat::kSRecord) return true;
  Output* out = writer->out;
  if (!reserveOutput(out, kMaxSRecordLine)) return false;
  commitOutput(out, formatSRecordHeader(outputEnd(out), writer->image->name));
  return true;
}

bool writeRange(ImageWriter* writer, uint32_t start, uint32_t end) {
  const unsigned unit = writer->image->unit;
  const uint64_t perStretch = kStretchBytes / unit;  // Addresses.
  PinCursor pins = findPins(writer->pins, uint64_t{start} * unit);
  for (uint64_t a = start; a <= end;) {
    uint64_t last = a | (perStretch - 1);  // Up to the stretch's end.
    if (last > end) last = end;
    if (!writeStretch(writer, a, last, &pins)) return false;
    a = last + 1;
  }
  return true;
}

bool writeImageEnd(ImageWriter* writer) {
  Output* out = writer->out;
  switch (writer->image->format) {
    case ImageFormat::kSRecord:
      if (!reserveOutput(out, kMaxSRecordLine)) return false;
      commitOutput(out, formatSRecordEnd(outputEnd(out)));
      break;
    case ImageFormat::kIntelHex:
      if (!reserveOutput(out, kMaxIntelHexText)) return false;
      commitOutput(out, formatIntelHexEnd(outputEnd(out)));
      break;
    case ImageFormat::kBinary:
      break;
  }
  return finishOutput(out);
}
