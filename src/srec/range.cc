// Cutting inclusive address ranges into aligned data records.
//
// The records of a range are gathered in one large buffer and handed to the
// stream in few calls.  The loops count in 64 bits so that a range ending at
// 0xFFFFFFFF, or a word range of 2^31 words or more, stops after its last
// record instead of wrapping around to address 0 and running forever.
#include "srec/record_text.h"
#include "srec/srec.h"

namespace {

constexpr size_t kBatchSize = size_t{256} << 10;
char batch[kBatchSize];

bool put(FILE* out, const char* end) {
  auto size = static_cast<size_t>(end - batch);
  return fwrite(batch, 1, size, out) == size;
}

// Writes the records for addresses start..end, each address holding unit
// (1 or 2) data bytes, never crossing a multiple of 32 bytes.
bool writeRange(FILE* out, uint32_t start, uint32_t end, unsigned unit) {
  const uint64_t perRecord = 32 / unit;  // Addresses.
  char* p = batch;
  for (uint64_t a = start; a <= end;) {
    uint64_t n = perRecord - a % perRecord;  // Up to the next boundary.
    uint64_t remaining = uint64_t{end} + 1 - a;
    if (remaining < n) n = remaining;
    if (p + kMaxDataLine > batch + kBatchSize) {
      if (!put(out, p)) return false;
      p = batch;
    }
    p = formatDataRecord(p, static_cast<uint32_t>(a),
                         static_cast<unsigned>(n * unit));
    a += n;
  }
  return put(out, p);
}

}  // namespace

bool writeByteRange(FILE* out, uint32_t start, uint32_t end) {
  return writeRange(out, start, end, 1);
}

bool writeWordRange(FILE* out, uint32_t start, uint32_t end) {
  return writeRange(out, start, end, 2);
}
