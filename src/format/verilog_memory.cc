// Verilog memory files, as $readmemh reads them.
#include "format/verilog_memory.h"

#include <algorithm>

#include "format/header_text.h"

void startVmem(VmemEncoder* encoder, const RecordShape& shape) {
  *encoder = {&shape, false, 0};
}

char* encodeVmemStart(const VmemEncoder& encoder, char* p,
                      const std::string& name) {
  const std::string text =
      "// " + commentText(headerText(*encoder.shape, name), false);
  return endLine(std::copy(text.begin(), text.end(), p), encoder.shape->crlf);
}

namespace {

// The words of a line: kBytes bytes each, most significant first, one
// space apart.  Made for each width, so that the loops have fixed bounds.
template <unsigned kBytes, bool kBigEndian>
char* putWords(char* p, const uint8_t* data, uint32_t size) {
  for (uint32_t k = 0; k < size; k += kBytes) {
    if (k != 0) *p++ = ' ';
    for (unsigned b = 0; b < kBytes; ++b)
      p = putByte(p, data[k + (kBigEndian ? b : kBytes - 1 - b)]);
  }
  return p;
}

}  // namespace

char* encodeVmem(VmemEncoder* encoder, char* p, const uint8_t* bytes,
                 const RecordCut* cuts, size_t n) {
  const RecordShape& shape = *encoder->shape;
  const bool crlf = shape.crlf;
  const unsigned wordBytes = shape.width / 8;
  char* (*const put)(char*, const uint8_t*, uint32_t) =
      wordBytes == 1 ? putWords<1, false>
      : wordBytes == 2
          ? (shape.bigEndian ? putWords<2, true> : putWords<2, false>)
          : (shape.bigEndian ? putWords<4, true> : putWords<4, false>);
  for (const RecordCut* cut = cuts; cut != cuts + n; ++cut) {
    if (!encoder->started || cut->address != encoder->next) {
      // A gap, or a zone kept out, starts a new run.
      *p++ = '@';
      const uint32_t word = cut->address / wordBytes;
      for (int d = 7; d >= 0; --d)
        *p++ = "0123456789ABCDEF"[word >> (4 * d) & 0xF];
      p = endLine(p, crlf);
      encoder->started = true;
    }
    p = endLine(put(p, bytes + cut->offset, cut->size), crlf);
    encoder->next = uint64_t{cut->address} + cut->size;
  }
  return p;
}
