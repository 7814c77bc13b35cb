// TI-TXT, as the MSP430 programmers and boot-loader scripts take it.
#include "format/ti_txt.h"

void startTiTxt(TiTxtEncoder* encoder, const RecordShape& shape) {
  *encoder = {&shape, false, 0};
}

char* encodeTiTxt(TiTxtEncoder* encoder, char* p, const uint8_t* bytes,
                  const RecordCut* cuts, size_t n) {
  const bool crlf = encoder->shape->crlf;
  for (const RecordCut* cut = cuts; cut != cuts + n; ++cut) {
    if (!encoder->started || cut->address != encoder->next) {
      // A gap, or a zone kept out, starts a new run.
      *p++ = '@';
      const uint32_t a = cut->address;
      int digits = 4;
      while (digits < 8 && a >> (4 * digits) != 0) ++digits;
      for (int d = digits - 1; d >= 0; --d)
        *p++ = "0123456789ABCDEF"[a >> (4 * d) & 0xF];
      p = endLine(p, crlf);
      encoder->started = true;
    }
    const uint8_t* data = bytes + cut->offset;
    for (uint32_t k = 0; k < cut->size; ++k) {
      if (k != 0) *p++ = ' ';
      p = putByte(p, data[k]);
    }
    p = endLine(p, crlf);
    encoder->next = uint64_t{cut->address} + cut->size;
  }
  return p;
}

char* encodeTiTxtEnd(const TiTxtEncoder& encoder, char* p) {
  *p++ = 'q';
  return endLine(p, encoder.shape->crlf);
}
