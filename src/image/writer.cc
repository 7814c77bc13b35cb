// The record stream: each range cut into aligned records, the data bytes of
// each record, and the encoder that writes them.
//
// The loops count in 64 bits so that a range ending at 0xFFFFFFFF, or a word
// range of 2^31 words or more, stops after its last record instead of
// wrapping around to address 0 and running forever.
#include "image/writer.h"

#include <algorithm>
#include <cstring>

#include "image/ahead_pass.h"
#include "image/check_schedule.h"
#include "image/kept_out.h"
#include "image/record_cut.h"

namespace {

// Takes the bytes of the kept-out zones out of the n records of cuts: the
// records are cut as they would be without the zones, and then each loses
// the bytes that lie in one; a record left with none vanishes.  Returns
// how many are left.
size_t leaveOutZones(const ImageSpec& image, RecordCut* cuts, size_t n,
                     RecordCut* pieces) {
  const unsigned unit = image.unit;
  size_t left = 0;
  for (size_t k = 0; k < n; ++k) {
    const RecordCut cut = cuts[k];
    const uint32_t last = cut.address + (cut.size / unit - 1);
    for (const AddressPair& piece : outsideZones(image, cut.address, last))
      pieces[left++] = {piece.start,
                        cut.offset + (piece.start - cut.address) * unit,
                        (piece.end - piece.start + 1) * unit};
  }
  std::copy(pieces, pieces + left, cuts);
  return left;
}

// The first address from first to last that a block of the profile holds;
// past last when none does.
uint64_t firstBlockByte(const ImageSpec& image, uint64_t first, uint64_t last) {
  uint64_t found = last + 1;
  if (image.profile == nullptr) return found;
  for (const ProfileBlock& block : image.profile->blocks)
    if (block.address <= last && block.address + block.bytes.size() > first)
      found =
          std::min<uint64_t>(found, std::max<uint64_t>(first, block.address));
  return found;
}

// Writes the count gap bytes of an image that spans from address on:
// erased bytes, but a profile block's own bytes where one lies, so that no
// gap writes the erased value into a block's fields.
bool writeGap(ImageWriter* writer, uint64_t address, uint64_t count,
              uint8_t erased) {
  const ImageSpec& image = *writer->image;
  Output* out = writer->out;
  const Encoder& encoder = writer->encoder;
  const bool raw = encoder.format == ImageFormat::kBinary;
  for (uint64_t at = address, end = address + count; at < end;) {
    const uint64_t block = firstBlockByte(image, at, end - 1);
    if (raw && block > at) {  // Erased bytes alone, as they stand.
      if (!repeatOutput(out, erased, block - at)) return false;
      at = block;
      continue;
    }
    const auto n =
        static_cast<size_t>(std::min<uint64_t>(kStretchBytes, end - at));
    uint8_t* bytes = writer->stretch;
    memset(bytes, erased, n);
    if (block < at + n) {
      for (const ProfileBlock& b : image.profile->blocks)
        for (uint64_t k = 0; k < b.bytes.size(); ++k)
          if (b.address + k >= at && b.address + k < at + n)
            bytes[b.address + k - at] = b.bytes[k];
    }
    if (!reserveOutput(out, gapRoom(encoder, n))) return false;
    commitOutput(out, encodeGap(encoder, outputEnd(out),
                                static_cast<uint32_t>(at), bytes, n));
    at += n;
  }
  return true;
}

// Writes the records of addresses first..last of a run of pair, which lie
// in one stretch and end where a record ends (or where the run does).
bool writeStretch(ImageWriter* writer, const AddressPair& pair,
                  uint64_t pairDraw, uint64_t first, uint64_t last) {
  const ImageSpec& image = *writer->image;
  Output* out = writer->out;
  const auto address = static_cast<uint32_t>(first);
  const size_t size = (last - first + 1) * image.unit;
  size_t n = cutRecords(addressesPerRecord(image), image.unit, first, last,
                        writer->cuts);
  const bool keptOut = zoneWithin(image, first, last) != nullptr;
  if (keptOut) n = leaveOutZones(image, writer->cuts, n, writer->pieces);
  const StretchRoom room = stretchRoom(&writer->encoder, address, size, n);
  if (room.spans &&
      (!seekOutput(out, room.at) ||
       !writeGap(writer, first - room.gap, room.gap, room.gapByte)))
    return false;
  if (!reserveOutput(out, room.size)) return false;
  // A binary image takes the bytes in place, in the output.
  uint8_t* bytes = room.inPlace ? reinterpret_cast<uint8_t*>(outputEnd(out))
                                : writer->stretch;
  makeRunBytes(&writer->bytes, pair, pairDraw, address, size, bytes);
  if (writer->bytes.byRecord) {
    for (size_t k = 0; k < n; ++k) {
      const RecordCut& cut = writer->cuts[k];
      pinRecord(&writer->bytes, cut.address, cut.size, bytes + cut.offset);
    }
  }
  if (!image.checks.empty()) {
    if (!keptOut) {
      passBytes(&writer->checks, address, bytes, size);
    } else {
      for (size_t k = 0; k < n; ++k)  // Kept-out bytes count as erased.
        passBytes(&writer->checks, writer->cuts[k].address,
                  bytes + writer->cuts[k].offset, writer->cuts[k].size);
    }
  }
  commitOutput(out, encodeRecords(&writer->encoder, outputEnd(out), bytes,
                                  writer->cuts, n, size));
  return true;
}

}  // namespace

void startImageWriter(ImageWriter* writer, const ImageSpec& image,
                      Output* out) {
  writer->image = &image;
  writer->out = out;
  startImageBytes(&writer->bytes, image);
  const unsigned threads = keyedThreads(image);
  stopKeyedAhead(&writer->ahead);
  if (image.keyed && threads > 1 &&
      startKeyedAhead(&writer->ahead, image, threads, *out->sys))
    writer->bytes.ahead = &writer->ahead;
  uint32_t low = 0, high = 0;
  const uint64_t span =
      imageSpan(image, &low, &high) ? uint64_t{high} - low + 1 : 0;
  startEncoder(&writer->encoder, image.format, image.shape, image.name, low,
               span, image.erased);
  writer->values.assign(image.checks.size(), CheckValue());
  const std::vector<std::vector<size_t>> schedule = scheduleChecks(image);
  workOutAhead(image, schedule, &writer->values);
  startCheckPass(&writer->checks, image, &writer->values, schedule.back());
}

bool writeImageStart(ImageWriter* writer) {
  Output* out = writer->out;
  if (!reserveOutput(out, kMaxStartText)) return false;
  commitOutput(
      out, encodeStart(writer->encoder, outputEnd(out), writer->image->name));
  return true;
}

bool writeRange(ImageWriter* writer, const AddressPair& pair, uint64_t pairDraw,
                uint32_t start, uint32_t end) {
  const ImageSpec& image = *writer->image;
  const uint64_t perStretch = kStretchBytes / image.unit;  // Addresses.
  const uint64_t perRecord = addressesPerRecord(image);
  for (uint64_t a = start; a <= end;) {
    uint64_t last = a + perStretch - 1;
    last = last < end ? lastRecordEnd(perRecord, a, last) : end;
    if (!writeStretch(writer, pair, pairDraw, a, last)) return false;
    a = last + 1;
  }
  return true;
}

bool writeImageEnd(ImageWriter* writer) {
  Output* out = writer->out;
  uint64_t end;
  if (endsAt(writer->encoder, &end) && !seekOutput(out, end)) return false;
  if (!reserveOutput(out, kMaxEndText)) return false;
  commitOutput(out, encodeEnd(writer->encoder, outputEnd(out)));
  return finishOutput(out);
}
