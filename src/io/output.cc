// The buffered output: large buffers handed to a descriptor in few writes.
#include "io/output.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "io/cleanup.h"

namespace {

// Writes size bytes to fd, at offset at when positional; returns 0, or the
// errno of the failure.  Short writes and interrupted calls go on where
// they stopped.
int writeAll(int fd, bool positional, const char* p, size_t size, uint64_t at) {
  while (size > 0) {
    ssize_t n = positional ? pwrite(fd, p, size, static_cast<off_t>(at))
                           : write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;  // No progress and no reason: a full disk.
    p += n;
    size -= static_cast<size_t>(n);
    at += static_cast<uint64_t>(n);
  }
  return 0;
}

// The thread: writes each buffer handed over, until told to stop.
void* writeSpares(void* arg) {
  auto* out = static_cast<Output*>(arg);
  std::unique_lock<std::mutex> lock(out->mutex);
  for (;;) {
    out->changed.wait(lock,
                      [out] { return out->spareUsed != 0 || out->stopping; });
    if (out->spareUsed == 0) return nullptr;
    lock.unlock();
    int error = writeAll(out->fd, out->positional, out->spare.data,
                         out->spareUsed, out->spareAt);
    lock.lock();
    if (out->error == 0) out->error = error;
    out->spareUsed = 0;
    out->changed.notify_all();
  }
}

// Starts the thread with the cleanup signals blocked, so that they always
// reach the main thread, whose handlers clean up and which checks for them
// before the rename.  Returns false when no thread can be made.
bool startThread(Output* out) {
  sigset_t old;
  blockCleanupSignals(&old);
  out->running = pthread_create(&out->thread, nullptr, writeSpares, out) == 0;
  restoreSignals(&old);
  return out->running;
}

// Waits until the thread has written what it was handed.  Returns false,
// with errno set, when a write has failed.
bool waitForThread(Output* out, std::unique_lock<std::mutex>* lock) {
  out->changed.wait(*lock, [out] { return out->spareUsed == 0; });
  if (out->error == 0) return true;
  errno = out->error;
  return false;
}

void stopThread(Output* out) {
  if (!out->running) return;
  {
    std::lock_guard<std::mutex> lock(out->mutex);
    out->stopping = true;
  }
  out->changed.notify_all();
  pthread_join(out->thread, nullptr);
  out->running = false;
  out->stopping = false;  // The next flush starts it again.
}

// Writes the buffer in the calling thread.
bool writeBuffer(Output* out) {
  if (out->error == 0)
    out->error = writeAll(out->fd, out->positional, out->buffer.data, out->used,
                          out->at);
  out->at += out->used;
  out->used = 0;
  errno = out->error;
  return out->error == 0;
}

}  // namespace

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

OutputBuffer::~OutputBuffer() {
#if defined(MAP_POPULATE)
  if (data != nullptr && munmap(data, kOutputBufferSize) == 0) return;
#endif
  delete[] data;
}

Output::~Output() { stopThread(this); }

void openOutput(Output* out, int fd, bool positional, bool threaded) {
  stopThread(out);
  out->fd = fd;
  out->positional = positional;
  out->threaded = threaded;
  allocateOutputBuffer(&out->buffer);
  allocateOutputBuffer(&out->spare);
  out->used = 0;
  out->at = 0;
  out->spareUsed = 0;
  out->error = 0;
}

bool flushOutput(Output* out) {
  if (!out->running && (!out->threaded || !startThread(out))) {
    out->threaded = false;
    return writeBuffer(out);
  }
  std::unique_lock<std::mutex> lock(out->mutex);
  if (!waitForThread(out, &lock)) return false;
  if (out->used == 0) return true;
  std::swap(out->buffer.data, out->spare.data);
  out->spareUsed = out->used;
  out->spareAt = out->at;
  out->at += out->used;
  out->used = 0;
  out->changed.notify_all();
  return true;
}

bool finishOutput(Output* out) {
  // Small images never start the thread.
  if (!out->running) return writeBuffer(out);
  bool ok = flushOutput(out);
  {
    std::unique_lock<std::mutex> lock(out->mutex);
    ok = waitForThread(out, &lock) && ok;
  }
  int error = errno;
  stopThread(out);
  errno = error;
  return ok;
}

void abandonOutput(Output* out) {
  int error = errno;
  stopThread(out);
  out->used = 0;
  errno = error;
}

bool seekOutput(Output* out, uint64_t offset) {
  if (offset == outputPosition(out)) return true;
  if (!out->positional) {
    errno = ESPIPE;
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
