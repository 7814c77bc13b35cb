// The image's output: large buffers handed to a descriptor in few writes.
#include "srec/output.h"

#include <unistd.h>

#include <cerrno>

namespace {

// Writes size bytes to fd, at offset at when positional; returns 0, or the
// errno of the failure.
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
void writeSpares(Output* out) {
  std::unique_lock<std::mutex> lock(out->mutex);
  for (;;) {
    out->changed.wait(lock,
                      [out] { return out->spareUsed != 0 || out->stopping; });
    if (out->spareUsed == 0) return;
    lock.unlock();
    int error = writeAll(out->fd, out->positional, out->spare.data(),
                         out->spareUsed, out->spareAt);
    lock.lock();
    if (out->error == 0) out->error = error;
    out->spareUsed = 0;
    out->changed.notify_all();
  }
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
  if (!out->thread.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(out->mutex);
    out->stopping = true;
  }
  out->changed.notify_all();
  out->thread.join();
  out->stopping = false;  // The next flush starts it again.
}

}  // namespace

Output::~Output() { stopThread(this); }

void openOutput(Output* out, int fd, bool positional) {
  out->fd = fd;
  out->positional = positional;
  out->buffer.resize(kOutputBufferSize);
  out->spare.resize(kOutputBufferSize);
  out->used = 0;
  out->at = 0;
}

bool flushOutput(Output* out) {
  std::unique_lock<std::mutex> lock(out->mutex);
  if (!waitForThread(out, &lock)) return false;
  if (out->used == 0) return true;
  out->buffer.swap(out->spare);
  out->spareUsed = out->used;
  out->spareAt = out->at;
  out->at += out->used;
  out->used = 0;
  if (!out->thread.joinable()) out->thread = std::thread(writeSpares, out);
  out->changed.notify_all();
  return true;
}

bool finishOutput(Output* out) {
  if (!out->thread.joinable()) {
    // Small images never start the thread.
    int error = writeAll(out->fd, out->positional, out->buffer.data(),
                         out->used, out->at);
    out->at += out->used;
    out->used = 0;
    errno = error;
    return error == 0;
  }
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
  if (!flushOutput(out)) return false;
  if (offset != out->at && !out->positional) {
    errno = ESPIPE;
    return false;
  }
  out->at = offset;
  return true;
}
