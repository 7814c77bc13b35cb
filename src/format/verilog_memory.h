// Verilog memory files, as $readmemh reads them: a comment line with the
// header text, then each run of consecutive words after a line "@ADDR" (the
// word address), the words as upper-case hex a line at a time.
#ifndef TOLLIVEX_FORMAT_VERILOG_MEMORY_H_
#define TOLLIVEX_FORMAT_VERILOG_MEMORY_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "format/hex_digits.h"
#include "format/record.h"

// The most words a line holds.
constexpr unsigned kMaxVmemWords = 255;

struct VmemEncoder {
  const RecordShape* shape;
  bool started;   // A run has begun,
  uint64_t next;  // and the byte address after its last byte.
};

void startVmem(VmemEncoder* encoder, const RecordShape& shape);

// The comment line: "// " and the header text.
char* encodeVmemStart(const VmemEncoder& encoder, char* p,
                      const std::string& name);

// The most text n lines of bytes data bytes in all take, each after an
// address line.
inline size_t vmemRoom(size_t n, size_t bytes) {
  return 3 * bytes + n * (2 + (1 + 8 + 2)) + kHexSlack;
}

// The lines of cuts, from bytes, whose sizes are whole words: a line
// "@ADDR" before each that does not go on from the last word so far.
char* encodeVmem(VmemEncoder* encoder, char* p, const uint8_t* bytes,
                 const RecordCut* cuts, size_t n);

#endif  // TOLLIVEX_FORMAT_VERILOG_MEMORY_H_
