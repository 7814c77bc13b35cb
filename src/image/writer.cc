// The record stream: each range cut into aligned records, the data bytes of
// each record, and the encoder that writes them.
//
// The loops count in 64 bits so that a range ending at 0xFFFFFFFF, or a word
// range of 2^31 words or more, stops after its last record instead of
// wrapping around to address 0 and running forever.
#include "image/writer.h"

#include <algorithm>
#include <cstring>

#include "format/intel_hex.h"
#include "format/srecord.h"
#include "image/record_cut.h"

namespace {

// The most text a record adds beyond its data in hex: an Intel HEX extended
// linear address record and the head, checksum and CR LF of a data record
// (S-records add less).
constexpr size_t kMaxRecordOverhead =
    kMaxIntelHexText - size_t{2} * kMaxIntelHexData;

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
  Output* out = writer->out;
  // A binary image takes the bytes in place, in the output.
  uint8_t* bytes = writer->stretch;
  if (writer->image->format == ImageFormat::kBinary && out != nullptr) {
    bytes = placeInOutput(writer, address, size);
    if (bytes == nullptr) return false;
  }
  fillStretch(writer, first * unit, size, bytes);
  // In a byte image a record's regions match at its byte addresses, so the
  // whole stretch is pinned at once.
  if (unit == 1) pinBytes(writer, address, size, pins, bytes);
  // Check values take the bytes before them, then go in over the rest (in
  // a byte image: they do not apply to words).
  if (!writer->checks.empty()) {
    takeImageBytes(&writer->checks, address, bytes, size);
    if (out != nullptr) placeCheckValues(&writer->checks, address, bytes, size);
  }
  const ImageFormat format = writer->image->format;
  if (format == ImageFormat::kBinary || out == nullptr) return true;
  // Room for the whole stretch: its data in hex, and the most each record
  // can add, in either text format.
  const RecordShape& shape = writer->image->shape;
  const uint64_t perRecord = addressesPerRecord(*writer->image);
  const uint64_t mostRecords =
      (last - first) / perRecord + 2 + (last - first) / kRecordSegment + 1;
  if (!reserveOutput(out, 2 * size + mostRecords * kMaxRecordOverhead))
    return false;
  char* p = outputEnd(out);
  // Each record runs up to where the next must start, or to last.  The
  // text goes through char pointers, which may alias anything, so what the
  // loop reads of the writer is held in locals.
  const bool crlf = shape.crlf;
  // The address field only grows with the address: the stretch's last
  // record has the widest, and where its first has as wide a one, all do.
  const unsigned lastField =
      addressFieldSize(static_cast<uint32_t>(last), shape.addressSize);
  const bool oneField = addressFieldSize(static_cast<uint32_t>(first),
                                         shape.addressSize) == lastField;
  uint32_t upperAddress = writer->upperAddress;
  uint64_t byLength = (first / perRecord + 1) * perRecord;
  uint8_t* record = bytes;
  uint64_t records = 0;
  for (uint64_t a = first; a <= last;) {
    uint64_t next = (a | (kRecordSegment - 1)) + 1;
    if (byLength < next) next = byLength;
    if (next > last + 1) next = last + 1;
    if (next == byLength) byLength += perRecord;
    const auto at = static_cast<uint32_t>(a);
    const auto count = static_cast<unsigned>((next - a) * unit);
    if (unit != 1) pinBytes(writer, at, count, pins, record);
    if (format == ImageFormat::kSRecord) {
      const unsigned field =
          oneField ? lastField : addressFieldSize(at, shape.addressSize);
      p = formatSRecordData(p, at, field, record, count, crlf);
    } else {
      p = formatIntelHexData(p, at, record, count, &upperAddress, crlf);
    }
    record += count;
    ++records;
    a = next;
  }
  if (lastField > writer->widestField) writer->widestField = lastField;
  writer->upperAddress = upperAddress;
  writer->records += records;
  commitOutput(out, p);
  return true;
}

// Works out the check values placed before their regions: the bytes of the
// image up to the last such region are made once more, with no output.
void workOutAhead(ImageWriter* writer) {
  const ImageSpec& image = *writer->image;
  ImageWriter probe;
  startImageWriter(&probe, image, nullptr);
  uint64_t end = 0;
  for (const CheckRun& run : writer->checks)
    if (placedAhead(run)) {
      probe.checks.push_back(run);
      end = std::max<uint64_t>(end, run.check->end);
    }
  for (const AddressPair& pair : image.pairs) {
    if (pair.start > pair.end) continue;
    if (pair.start > end) break;  // The ranges rise.
    writeRange(&probe, pair.start,
               static_cast<uint32_t>(std::min<uint64_t>(pair.end, end)));
  }
  for (CheckRun& run : probe.checks) finishCheckRun(&run);
  for (CheckRun& run : writer->checks)
    for (const CheckRun& worked : probe.checks)
      if (worked.check == run.check) run = worked;
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
  writer->records = 0;
  writer->widestField = 0;
  // A probe (no output) gets the runs it is to work out from its caller.
  writer->checks.clear();
  if (out == nullptr) return;
  writer->checks = startCheckRuns(image);
  for (const CheckRun& run : writer->checks) {
    if (placedAhead(run)) {
      workOutAhead(writer);
      break;
    }
  }
}

bool writeImageStart(ImageWriter* writer) {
  const ImageSpec& image = *writer->image;
  if (image.format != ImageFormat::kSRecord) return true;
  Output* out = writer->out;
  if (!reserveOutput(out, kMaxSRecordLine)) return false;
  const RecordShape& shape = image.shape;
  commitOutput(out,
               formatSRecordHeader(
                   outputEnd(out),
                   shape.headerGiven ? shape.header : moduleHeader(image.name),
                   shape.crlf));
  return true;
}

bool writeRange(ImageWriter* writer, uint32_t start, uint32_t end) {
  const unsigned unit = writer->image->unit;
  const uint64_t perStretch = kStretchBytes / unit;  // Addresses.
  const uint64_t perRecord = addressesPerRecord(*writer->image);
  PinCursor pins = findPins(writer->pins, uint64_t{start} * unit);
  for (uint64_t a = start; a <= end;) {
    uint64_t last = a + perStretch - 1;
    last = last < end ? lastRecordEnd(perRecord, a, last) : end;
    if (!writeStretch(writer, a, last, &pins)) return false;
    a = last + 1;
  }
  return true;
}

bool writeImageEnd(ImageWriter* writer) {
  Output* out = writer->out;
  const RecordShape& shape = writer->image->shape;
  // Room for two lines of either format.
  if (!reserveOutput(out, 2 * kMaxSRecordLine)) return false;
  char* p = outputEnd(out);
  switch (writer->image->format) {
    case ImageFormat::kSRecord: {
      if (shape.count)
        p = formatSRecordCount(p, static_cast<uint32_t>(writer->records),
                               shape.crlf);
      // Without a start address, S9 with 0; with one, the terminator is as
      // wide as the widest data record, the address and -addrsize ask.
      unsigned size = 2;
      if (shape.entryGiven) {
        size = addressFieldSize(shape.entry, shape.addressSize);
        if (writer->widestField > size) size = writer->widestField;
      }
      p = formatSRecordEnd(p, shape.entry, size, shape.crlf);
      break;
    }
    case ImageFormat::kIntelHex:
      if (shape.entryGiven) p = formatIntelHexStart(p, shape.entry, shape.crlf);
      p = formatIntelHexEnd(p, shape.crlf);
      break;
    case ImageFormat::kBinary:
      break;
  }
  commitOutput(out, p);
  return finishOutput(out);
}
