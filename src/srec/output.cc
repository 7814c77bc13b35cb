// The image's output: a large buffer handed to a descriptor in few writes.
#include "srec/output.h"

#include <unistd.h>

#include <cerrno>

void openOutput(Output* out, int fd) {
  out->fd = fd;
  out->buffer.resize(kOutputBufferSize);
  out->used = 0;
}

bool flushOutput(Output* out) {
  const char* p = out->buffer.data();
  size_t left = out->used;
  out->used = 0;
  while (left > 0) {
    ssize_t n = write(out->fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;  // No progress and no reason: a full disk.
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}
