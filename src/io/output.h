// The buffered output: large buffers handed to a descriptor in few writes.
//
// While one buffer fills, a thread of its own writes the one before, so
// that the kernel's copying into the page cache overlaps the making of the
// next bytes.  Where no thread can be made, the buffers are written in
// turn.  A failed write shows at the next flush or at the finish.
#ifndef TOLLIVEX_IO_OUTPUT_H_
#define TOLLIVEX_IO_OUTPUT_H_

#include <pthread.h>

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

constexpr size_t kOutputBufferSize = size_t{256} << 10;

// One buffer of kOutputBufferSize bytes.  Its pages are mapped all at once
// where the system can: faulting them in one by one costs a short image
// more than filling them, in a virtual machine above all.
struct OutputBuffer {
  char* data = nullptr;
  OutputBuffer() = default;
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;
  ~OutputBuffer();
};

// Gives *buffer its memory, unless it has it already.
void allocateOutputBuffer(OutputBuffer* buffer);

struct Output {
  int fd = -1;
  // Written by position (pwrite), so that the bytes can go back: a file of
  // the writer's own, empty at the start.  Otherwise the bytes go out in
  // order with write(), as a pipe or a device takes them.
  bool positional = false;
  // Whether full buffers go to a thread of their own; cleared when none can
  // be made.
  bool threaded = true;
  OutputBuffer buffer;  // Filling.
  size_t used = 0;      // Bytes of buffer waiting to be written.
  uint64_t at = 0;      // Where buffer[0] goes.

  // The buffer the thread writes, and what it is told; all under mutex.
  OutputBuffer spare;
  size_t spareUsed = 0;  // 0 when the thread is idle.
  uint64_t spareAt = 0;
  int error = 0;  // errno of the first failed write.
  bool stopping = false;
  std::mutex mutex;
  std::condition_variable changed;
  pthread_t thread;
  bool running = false;  // thread is started and not joined yet.

  ~Output();
};

// Prepares out to write to fd from offset 0.  With threaded false, every
// buffer is written by the calling thread.
void openOutput(Output* out, int fd, bool positional, bool threaded = true);

// Hands what the buffer holds to be written.  Returns false, with errno
// saying why, when a write so far has failed; what was written stays.
bool flushOutput(Output* out);

// Writes out everything and waits for it.  Returns false, with errno saying
// why, when a write failed.
bool finishOutput(Output* out);

// Stops writing after a failure, dropping what is not written yet, so that
// the descriptor can be closed.  Keeps errno.
void abandonOutput(Output* out);

// Flushes, then has the next bytes go to offset.  An output that is not
// positional can only go on where it stands: elsewhere fails with ESPIPE.
bool seekOutput(Output* out, uint64_t offset);

// Appends count copies of byte.  Returns false when a flush failed.
bool repeatOutput(Output* out, uint8_t byte, uint64_t count);

// Where the next byte goes.
inline uint64_t outputPosition(const Output* out) {
  return out->at + out->used;
}

// Makes room for n (at most kOutputBufferSize) more bytes, flushing when
// the buffer is too full.  Returns false when that flush failed.
inline bool reserveOutput(Output* out, size_t n) {
  return out->used + n <= kOutputBufferSize || flushOutput(out);
}

// Where the next byte goes in memory; room as reserved.
inline char* outputEnd(Output* out) { return out->buffer.data + out->used; }

// Counts the bytes written at outputEnd() up to end as used.
inline void commitOutput(Output* out, const char* end) {
  out->used = static_cast<size_t>(end - out->buffer.data);
}

#endif  // TOLLIVEX_IO_OUTPUT_H_
