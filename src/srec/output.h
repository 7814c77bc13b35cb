// The image's output: a large buffer handed to a descriptor in few writes.
#ifndef TOLLIVEX_SREC_OUTPUT_H_
#define TOLLIVEX_SREC_OUTPUT_H_

#include <cstddef>
#include <vector>

constexpr size_t kOutputBufferSize = size_t{256} << 10;

struct Output {
  int fd;
  std::vector<char> buffer;
  size_t used;  // Bytes of buffer waiting to be written.
};

void openOutput(Output* out, int fd);

// Writes what the buffer holds.  Returns false at the first failed write,
// with errno saying why; what was written stays written.
bool flushOutput(Output* out);

// Makes room for n (at most kOutputBufferSize) more bytes, flushing when
// the buffer is too full.  Returns false when that flush failed.
inline bool reserveOutput(Output* out, size_t n) {
  return out->used + n <= out->buffer.size() || flushOutput(out);
}

// Where the next byte goes.
inline char* outputEnd(Output* out) { return out->buffer.data() + out->used; }

// Counts the bytes written at outputEnd() up to end as used.
inline void commitOutput(Output* out, const char* end) {
  out->used = static_cast<size_t>(end - out->buffer.data());
}

#endif  // TOLLIVEX_SREC_OUTPUT_H_
