// Encoding of the raw binary image: every byte from the lowest range start
// on, at its offset from there, 0xFF where no range reaches.
//
// Records that follow each other are simply appended.  A record past the
// highest byte so far is preceded by erased flash; a record below it (a
// range that overlaps or comes after a higher one) is written by position
// over what stands there, so the later range wins.  Either way the file is
// written through the one buffer, whatever its size.
#include <algorithm>
#include <cstring>

#include "srec/encoders.h"
#include "srec/srec.h"

uint8_t* placeBinary(ImageWriter* writer, uint32_t address, size_t count) {
  Output* out = &writer->out;
  const uint64_t offset = address - writer->binaryBase;
  if (offset != out->at + out->used) {
    if (offset < writer->binaryEnd) {
      if (!seekOutput(out, offset)) return nullptr;
    } else {
      if (out->at + out->used != writer->binaryEnd &&
          !seekOutput(out, writer->binaryEnd))
        return nullptr;
      for (uint64_t gap = offset - writer->binaryEnd; gap > 0;) {
        if (!reserveOutput(out, 1)) return nullptr;
        size_t n = std::min<uint64_t>(gap, out->buffer.size() - out->used);
        memset(outputEnd(out), 0xFF, n);
        out->used += n;
        gap -= n;
      }
    }
  }
  if (!reserveOutput(out, count)) return nullptr;
  auto* place = reinterpret_cast<uint8_t*>(outputEnd(out));
  out->used += count;
  writer->binaryEnd = std::max(writer->binaryEnd, offset + count);
  return place;
}
