// The system calls io makes, as one table of functions.
#include "io/system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#if defined(__linux__)
#include <sys/xattr.h>
#endif

namespace {

int openAt(int dirFd, const char* name, int flags, mode_t mode) {
  return openat(dirFd, name, flags, mode);
}

int startThread(pthread_t* thread, void* (*run)(void*), void* arg) {
  return pthread_create(thread, nullptr, run, arg);
}

#if defined(__linux__)
ssize_t getXattr(const char* path, const char* name, void* value, size_t size) {
  return getxattr(path, name, value, size);
}
ssize_t fgetXattr(int fd, const char* name, void* value, size_t size) {
  return fgetxattr(fd, name, value, size);
}
int fsetXattr(int fd, const char* name, const void* value, size_t size,
              int flags) {
  return fsetxattr(fd, name, value, size, flags);
}
int fremoveXattr(int fd, const char* name) { return fremovexattr(fd, name); }
#else
// No extended attributes: every file reads as having no ACL.
ssize_t getXattr(const char*, const char*, void*, size_t) {
  errno = ENOTSUP;
  return -1;
}
ssize_t fgetXattr(int, const char*, void*, size_t) {
  errno = ENOTSUP;
  return -1;
}
int fsetXattr(int, const char*, const void*, size_t, int) {
  errno = ENOTSUP;
  return -1;
}
int fremoveXattr(int, const char*) {
  errno = ENOTSUP;
  return -1;
}
#endif

}  // namespace

const System& realSystem() {
  static const System kReal = {
      openAt,   ::write,    ::pwrite,   ::lseek,      ::fdatasync, ::fsync,
      ::close,  ::renameat, ::unlinkat, ::fchown,     ::fchmod,    ::fstat,
      getXattr, fgetXattr,  fsetXattr,  fremoveXattr, startThread,
  };
  return kReal;
}
