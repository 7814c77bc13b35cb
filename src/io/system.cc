// The system calls the tool makes, as one table of functions: here alone
// errno is read, right after the call that set it.
#include "io/system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#if defined(__linux__)
#include <sys/xattr.h>
#endif

namespace {

// The error of a call that returns -1 on failure.
int failure(long result) { return result < 0 ? errno : 0; }

int openAt(int dirFd, const char* name, int flags, mode_t mode, int* fd) {
  *fd = openat(dirFd, name, flags, mode);
  return failure(*fd);
}

int writeSome(int fd, const void* data, size_t size, size_t* written) {
  const ssize_t n = write(fd, data, size);
  *written = n < 0 ? 0 : static_cast<size_t>(n);
  return failure(n);
}

int pwriteSome(int fd, const void* data, size_t size, off_t at,
               size_t* written) {
  const ssize_t n = pwrite(fd, data, size, at);
  *written = n < 0 ? 0 : static_cast<size_t>(n);
  return failure(n);
}

int seek(int fd, off_t offset, int whence, off_t* at) {
  *at = lseek(fd, offset, whence);
  return failure(*at);
}

int dataSync(int fd) { return failure(fdatasync(fd)); }
int sync(int fd) { return failure(fsync(fd)); }
int closeFd(int fd) { return failure(close(fd)); }
int renameAt(int fromDir, const char* from, int toDir, const char* to) {
  return failure(renameat(fromDir, from, toDir, to));
}
int unlinkAt(int dirFd, const char* name, int flags) {
  return failure(unlinkat(dirFd, name, flags));
}
int changeOwner(int fd, uid_t owner, gid_t group) {
  return failure(fchown(fd, owner, group));
}
int changeMode(int fd, mode_t mode) { return failure(fchmod(fd, mode)); }
int status(int fd, struct stat* st) { return failure(fstat(fd, st)); }
int terminal(int fd) { return isatty(fd) ? 0 : errno; }

int startThread(pthread_t* thread, void* (*run)(void*), void* arg) {
  return pthread_create(thread, nullptr, run, arg);
}

#if defined(__linux__)
int getXattr(const char* path, const char* name, void* value, size_t size,
             size_t* length) {
  const ssize_t n = getxattr(path, name, value, size);
  *length = n < 0 ? 0 : static_cast<size_t>(n);
  return failure(n);
}
int fgetXattr(int fd, const char* name, void* value, size_t size,
              size_t* length) {
  const ssize_t n = fgetxattr(fd, name, value, size);
  *length = n < 0 ? 0 : static_cast<size_t>(n);
  return failure(n);
}
int fsetXattr(int fd, const char* name, const void* value, size_t size,
              int flags) {
  return failure(fsetxattr(fd, name, value, size, flags));
}
int fremoveXattr(int fd, const char* name) {
  return failure(fremovexattr(fd, name));
}
#else
// No extended attributes: every file reads as having no ACL.
int getXattr(const char*, const char*, void*, size_t, size_t* length) {
  *length = 0;
  return ENOTSUP;
}
int fgetXattr(int, const char*, void*, size_t, size_t* length) {
  *length = 0;
  return ENOTSUP;
}
int fsetXattr(int, const char*, const void*, size_t, int) { return ENOTSUP; }
int fremoveXattr(int, const char*) { return ENOTSUP; }
#endif

}  // namespace

const System& realSystem() {
  static const System kReal = {
      openAt,   writeSome, pwriteSome, seek,         dataSync,   sync,
      closeFd,  renameAt,  unlinkAt,   changeOwner,  changeMode, status,
      getXattr, fgetXattr, fsetXattr,  fremoveXattr, terminal,   startThread,
  };
  return kReal;
}

int writeAll(const System& sys, int fd, bool positional, const char* p,
             size_t size, off_t at) {
  while (size > 0) {
    size_t n = 0;
    const int error = positional ? sys.pwrite(fd, p, size, at, &n)
                                 : sys.write(fd, p, size, &n);
    if (error == EINTR) continue;
    if (error != 0) return error;
    if (n == 0) return ENOSPC;  // No progress and no reason: a full disk.
    p += n;
    size -= n;
    at += static_cast<off_t>(n);
  }
  return 0;
}
