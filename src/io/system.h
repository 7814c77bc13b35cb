// The system calls the tool makes, as one table of functions.
//
// The tool fills it with the real calls; a test swaps in a table that fails
// a chosen call, so that every failure path can be tried without a broken
// disk, as ninja's DiskInterface lets its tests fake the disk.  Every entry
// returns 0 or the error number of its failure, and hands what else the
// call yields (a descriptor, a count, a position) back through its last
// argument, so that no caller reads errno.  The signal handlers alone call
// the system directly: they may run at any moment.
#ifndef TOLLIVEX_IO_SYSTEM_H_
#define TOLLIVEX_IO_SYSTEM_H_

#include <pthread.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

struct System {
  int (*openat)(int dirFd, const char* name, int flags, mode_t mode, int* fd);
  int (*write)(int fd, const void* data, size_t size, size_t* written);
  int (*pwrite)(int fd, const void* data, size_t size, off_t at,
                size_t* written);
  int (*lseek)(int fd, off_t offset, int whence, off_t* at);
  int (*fdatasync)(int fd);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*renameat)(int fromDir, const char* from, int toDir, const char* to);
  int (*unlinkat)(int dirFd, const char* name, int flags);
  int (*fchown)(int fd, uid_t owner, gid_t group);
  int (*fchmod)(int fd, mode_t mode);
  int (*fstat)(int fd, struct stat* st);
  // The ACL lives in an extended attribute.  A descriptor that only names
  // its file (O_PATH) takes no f*xattr() call, so the path one serves it.
  int (*getxattr)(const char* path, const char* name, void* value, size_t size,
                  size_t* length);
  int (*fgetxattr)(int fd, const char* name, void* value, size_t size,
                   size_t* length);
  int (*fsetxattr)(int fd, const char* name, const void* value, size_t size,
                   int flags);
  int (*fremovexattr)(int fd, const char* name);
  // 0 when fd is a terminal; ENOTTY (or the reason) when it is not.
  int (*isatty)(int fd);
  int (*startThread)(pthread_t* thread, void* (*run)(void*), void* arg);
};

// The table of the real calls.
const System& realSystem();

// Writes size bytes to fd, at offset at when positional; returns 0, or the
// error of the failure.  Short writes and interrupted calls go on where
// they stopped.
int writeAll(const System& sys, int fd, bool positional, const char* p,
             size_t size, off_t at);

#endif  // TOLLIVEX_IO_SYSTEM_H_
