// Keeping the standard descriptors out of the image file's way.
#include "io/std_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

bool reserveStandardDescriptors() {
  bool stdoutClosed = false;
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (fd == STDOUT_FILENO) stdoutClosed = true;
    // open() takes the lowest free descriptor, which is fd: the ones below
    // it are open by now.
    int null = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (null < 0) break;  // Nothing better to do without /dev/null.
    if (null != fd) close(null);
  }
  return stdoutClosed;
}
