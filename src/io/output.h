// The buffered output: large buffers handed to a descriptor in few writes.
//
// The buffers form a ring.  While the maker fills one, a thread of its own
// writes the ones before, so that the kernel's copying into the page cache
// overlaps the making of the next bytes.  The two sides meet only when one
// has to wait for the other, and a side that waits is woken once a batch of
// buffers is ready for it, not for each one: a hand-off costs no system
// call.  Where no thread can be made, each buffer is written in turn.  A
// failed write shows at the next hand-off or at the finish.
#ifndef TOLLIVEX_IO_OUTPUT_H_
#define TOLLIVEX_IO_OUTPUT_H_

#include <pthread.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "io/system.h"

constexpr size_t kOutputBufferSize = size_t{96} << 10;
// Buffers in the ring, and how many a waiting side waits for.
constexpr unsigned kOutputSlots = 8;
constexpr unsigned kOutputBatch = 4;

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

struct Output {
  const System* sys = nullptr;
  int fd = -1;
  // Written by position (pwrite), so that the bytes can go back: a file of
  // the writer's own, empty at the start.  Otherwise the bytes go out in
  // order with write(), as a pipe or a device takes them.
  bool positional = false;
  char* data = nullptr;  // The buffer being filled: the ring's slot `made`.
  size_t used = 0;       // Bytes of it waiting to be written.
  uint64_t at = 0;       // Where data[0] goes.

  // The ring.  Slot k % kOutputSlots holds the k-th buffer handed over; the
  // maker alone writes sizes and offsets of the slots it hands over.
  OutputBuffer slots[kOutputSlots];
  size_t sizes[kOutputSlots] = {};
  uint64_t offsets[kOutputSlots] = {};
  std::atomic<uint64_t> made{0};     // Buffers handed over.
  std::atomic<uint64_t> written{0};  // Of those, written (or skipped).
  std::atomic<int> error{0};         // The errno of the first failed write.
  // Who sleeps, and for what: the writer until a batch is ready (or the
  // maker drains or stops it); the maker until as few as makerWants
  // buffers wait (-1: the maker does not sleep).
  std::atomic<bool> writerSleeps{false}, draining{false}, stopping{false};
  std::atomic<int> makerWants{-1};
  std::mutex mutex;
  std::condition_variable wake;
  pthread_t thread;
  bool running = false;  // thread is started and not joined yet.
  bool threaded = true;  // Cleared when no thread can be made.

  ~Output();
};

// Prepares out to write to fd from offset 0, through sys.
void openOutput(Output* out, const System& sys, int fd, bool positional);

// Hands what the buffer holds to be written and starts the next.  Returns
// false when a write so far has failed: outputError says why.
bool flushOutput(Output* out);

// Writes out everything and waits for it.  Returns false when a write
// failed.
bool finishOutput(Output* out);

// Stops writing after a failure, dropping what is not written yet, so that
// the descriptor can be closed.
void abandonOutput(Output* out);

// The errno of the first failed write (or seek), 0 while none failed.
inline int outputError(const Output* out) { return out->error.load(); }

// Has the next bytes go to offset.  An output that is not positional can
// only go on where it stands: elsewhere fails with ESPIPE.
bool seekOutput(Output* out, uint64_t offset);

// Appends count copies of byte.  Returns false when a hand-off failed.
bool repeatOutput(Output* out, uint8_t byte, uint64_t count);

// Where the next byte goes.
inline uint64_t outputPosition(const Output* out) {
  return out->at + out->used;
}

// Makes room for n (at most kOutputBufferSize) more bytes, handing the
// buffer over when it is too full.  Returns false when that failed.
inline bool reserveOutput(Output* out, size_t n) {
  return out->used + n <= kOutputBufferSize || flushOutput(out);
}

// Where the next byte goes in memory; room as reserved.
inline char* outputEnd(Output* out) { return out->data + out->used; }

// Counts the bytes written at outputEnd() up to end as used.
inline void commitOutput(Output* out, const char* end) {
  out->used = static_cast<size_t>(end - out->data);
}

#endif  // TOLLIVEX_IO_OUTPUT_H_
