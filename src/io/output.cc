// The buffered output: large buffers handed to a descriptor in few writes.
#include "io/output.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "io/cleanup.h"

namespace {

// Writes the buffer of slot k, unless a write has failed already: then the
// rest is dropped, and only counted so that the maker never waits for it.
void writeSlot(Output* out, uint64_t k) {
  const unsigned slot = k % kOutputSlots;
  if (out->error.load() != 0) return;
  int error =
      writeAll(*out->sys, out->fd, out->positional, out->slots[slot].data,
               out->sizes[slot], static_cast<off_t>(out->offsets[slot]));
  int none = 0;
  if (error != 0) out->error.compare_exchange_strong(none, error);
}

// Wakes whoever sleeps on out's condition.  Taking the mutex orders this
// after the sleeper's last look at the counts.
void wakeSleeper(Output* out) {
  std::lock_guard<std::mutex> lock(out->mutex);
  out->wake.notify_all();
}

// The thread: writes each buffer handed over, in order, until told to stop.
// It sleeps only while nothing waits, and then until a batch does.
void* writeSlots(void* arg) {
  auto* out = static_cast<Output*>(arg);
  for (uint64_t k = out->written.load();;) {
    if (out->made.load() == k) {
      std::unique_lock<std::mutex> lock(out->mutex);
      out->writerSleeps.store(true);
      out->wake.wait(lock, [out, k] {
        const uint64_t waiting = out->made.load() - k;
        return waiting >= kOutputBatch || out->stopping.load() ||
               (waiting > 0 && out->draining.load());
      });
      out->writerSleeps.store(false);
      if (out->made.load() == k) return nullptr;  // Stopped, all written.
    }
    if (out->stopping.load() && !out->draining.load())
      return nullptr;  // Abandoned: the rest is dropped.
    writeSlot(out, k);
    out->written.store(++k);
    const int wants = out->makerWants.load();
    if (wants >= 0 && out->made.load() - k <= static_cast<uint64_t>(wants))
      wakeSleeper(out);
  }
}

// Starts the thread with the cleanup signals blocked, so that they reach
// the main thread, whose handlers clean up and which checks for them before
// the rename.  Returns false when no thread can be made.
bool startThread(Output* out) {
  sigset_t old;
  blockSignalsForThread(&old);
  out->running = out->sys->startThread(&out->thread, writeSlots, out) == 0;
  restoreSignals(&old);
  return out->running;
}

// Unless at most limit buffers wait to be written, sleeps until at most
// wants do.
void waitForWriter(Output* out, unsigned limit, unsigned wants) {
  if (out->made.load() - out->written.load() <= limit) return;
  std::unique_lock<std::mutex> lock(out->mutex);
  out->makerWants.store(static_cast<int>(wants));
  out->wake.wait(lock, [out, wants] {
    return out->made.load() - out->written.load() <= wants;
  });
  out->makerWants.store(-1);
}

void stopThread(Output* out) {
  if (!out->running) return;
  out->stopping.store(true);
  wakeSleeper(out);
  pthread_join(out->thread, nullptr);
  out->running = false;
  out->stopping.store(false);
  out->draining.store(false);
}

void allocateOutputBuffer(OutputBuffer* buffer) {
  if (buffer->data != nullptr) return;
#if defined(MAP_POPULATE)
  void* pages = mmap(nullptr, kOutputBufferSize, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (pages != MAP_FAILED) {
    buffer->data = static_cast<char*>(pages);
    return;
  }
#endif
  buffer->data = new char[kOutputBufferSize];
}

// Makes slot k the one being filled, from offset at.
void fillSlot(Output* out, uint64_t k, uint64_t at) {
  OutputBuffer* buffer = &out->slots[k % kOutputSlots];
  allocateOutputBuffer(buffer);
  out->data = buffer->data;
  out->used = 0;
  out->at = at;
}

}  // namespace

OutputBuffer::~OutputBuffer() {
#if defined(MAP_POPULATE)
  if (data != nullptr && munmap(data, kOutputBufferSize) == 0) return;
#endif
  delete[] data;
}

Output::~Output() { stopThread(this); }

void openOutput(Output* out, const System& sys, int fd, bool positional) {
  stopThread(out);
  out->sys = &sys;
  out->fd = fd;
  out->positional = positional;
  out->threaded = true;
  out->made.store(0);
  out->written.store(0);
  out->error.store(0);
  fillSlot(out, 0, 0);
}

bool flushOutput(Output* out) {
  if (out->used == 0) return out->error.load() == 0;
  if (!out->running && out->threaded && !startThread(out))
    out->threaded = false;
  const uint64_t k = out->made.load();
  const unsigned slot = k % kOutputSlots;
  out->sizes[slot] = out->used;
  out->offsets[slot] = out->at;
  const uint64_t next = out->at + out->used;
  if (!out->running) {
    writeSlot(out, k);
    out->made.store(k + 1);
    out->written.store(k + 1);
  } else {
    out->made.store(k + 1);
    if (out->writerSleeps.load() && k + 1 - out->written.load() >= kOutputBatch)
      wakeSleeper(out);
    // The next slot must be written before it is filled again.
    waitForWriter(out, kOutputSlots - 1, kOutputSlots - kOutputBatch);
  }
  fillSlot(out, k + 1, next);
  return out->error.load() == 0;
}

bool finishOutput(Output* out) {
  bool ok = flushOutput(out);
  if (out->running) {
    out->draining.store(true);
    if (out->writerSleeps.load()) wakeSleeper(out);
    waitForWriter(out, 0, 0);
    stopThread(out);
  }
  return ok && out->error.load() == 0;
}

void abandonOutput(Output* out) {
  stopThread(out);
  out->used = 0;
}

bool seekOutput(Output* out, uint64_t offset) {
  if (offset == outputPosition(out)) return true;
  if (!out->positional) {
    int none = 0;
    out->error.compare_exchange_strong(none, ESPIPE);
    return false;
  }
  if (!flushOutput(out)) return false;
  out->at = offset;
  return true;
}

bool repeatOutput(Output* out, uint8_t byte, uint64_t count) {
  while (count > 0) {
    if (!reserveOutput(out, 1)) return false;
    size_t n = std::min<uint64_t>(count, kOutputBufferSize - out->used);
    memset(outputEnd(out), byte, n);
    out->used += n;
    count -= n;
  }
  return true;
}
