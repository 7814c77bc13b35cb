// Cutting inclusive address ranges into aligned data records.
//
// The loops count in 64 bits so that a range ending at 0xFFFFFFFF, or a word
// range of 2^31 words or more, stops after its last record instead of
// wrapping around to address 0 and running forever.
#include "srec/srec.h"

bool writeByteRange(FILE* out, uint32_t start, uint32_t end) {
  for (uint64_t a = start; a <= end;) {
    uint64_t n = 32 - a % 32;  // Up to the next multiple of 32.
    uint64_t remaining = uint64_t{end} + 1 - a;
    if (remaining < n) n = remaining;
    if (!writeRecordIfNonEmpty(out, static_cast<uint32_t>(a),
                               static_cast<unsigned>(n)))
      return false;
    a += n;
  }
  return true;
}

bool writeWordRange(FILE* out, uint32_t start, uint32_t end) {
  for (uint64_t a = start; a <= end;) {
    uint64_t words = 16 - a % 16;  // Up to the next multiple of 16 words.
    uint64_t remaining = uint64_t{end} + 1 - a;
    if (remaining < words) words = remaining;
    if (!writeRecordIfNonEmpty(out, static_cast<uint32_t>(a),
                               static_cast<unsigned>(2 * words)))
      return false;
    a += words;
  }
  return true;
}
