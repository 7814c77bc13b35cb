// TI-TXT, as the MSP430 programmers and boot-loader scripts take it: each
// run of consecutive bytes after a line "@ADDR", the bytes as hex pairs a
// line at a time, and "q" at the end.
#ifndef TOLLIVEX_FORMAT_TI_TXT_H_
#define TOLLIVEX_FORMAT_TI_TXT_H_

#include <cstddef>
#include <cstdint>

#include "format/hex_digits.h"
#include "format/record.h"

// The most data bytes a line holds.
constexpr unsigned kMaxTiTxtData = 255;

struct TiTxtEncoder {
  const RecordShape* shape;
  bool started;   // A run has begun,
  uint64_t next;  // and the address after its last byte.
};

void startTiTxt(TiTxtEncoder* encoder, const RecordShape& shape);

// The most text n lines of bytes data bytes in all take, each after an
// address line.
inline size_t tiTxtRoom(size_t n, size_t bytes) {
  return 3 * bytes + n * (2 + (1 + 8 + 2)) + kHexSlack;
}

// The lines of cuts, from bytes: a line "@ADDR" (upper-case hex, four digits
// at least) before each that does not go on from the last byte so far.
char* encodeTiTxt(TiTxtEncoder* encoder, char* p, const uint8_t* bytes,
                  const RecordCut* cuts, size_t n);

// The last line, "q".
char* encodeTiTxtEnd(const TiTxtEncoder& encoder, char* p);

#endif  // TOLLIVEX_FORMAT_TI_TXT_H_
