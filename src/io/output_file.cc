// Where an image goes: a file it replaces whole or not at all, a special
// file written in place, or standard output.
#include "io/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "io/cleanup.h"
#include "io/file_attributes.h"

namespace {

#if defined(O_PATH)
// Names a file or directory without the right to read it: enough for the
// *at() calls, fstat() and the ACL.
const int kLookUp = O_PATH;
const bool kLookUpNamesOnly = true;
#else
const int kLookUp = O_RDONLY | O_NONBLOCK;
const bool kLookUpNamesOnly = false;
#endif

// Opens the directory name lies in and sets file->base to the rest.  A
// directory that can be read can be flushed; one that can only be searched
// is still used.
int openDirectory(const std::string& name, OutputFile* file) {
  const System& sys = *file->sys;
  size_t slash = name.rfind('/');
  std::string dir = slash == std::string::npos ? "."
                    : slash == 0               ? "/"
                                               : name.substr(0, slash);
  file->base = slash == std::string::npos ? name : name.substr(slash + 1);
  const int flags = O_DIRECTORY | O_CLOEXEC;
  int error =
      sys.openat(AT_FDCWD, dir.c_str(), O_RDONLY | flags, 0, &file->dirFd);
  file->dirReadable = error == 0;
  if (error == EACCES)
    error = sys.openat(AT_FDCWD, dir.c_str(), kLookUp | flags, 0, &file->dirFd);
  return error;
}

// Closes fd, which was only looked at: its close cannot lose a byte.
void closeLookedAt(const System& sys, int fd) {
  if (fd >= 0) sys.close(fd);
}

// Looks at what stands at the name, by descriptor.  Sets file->fd to a
// special file to write in place, or notes a regular file to replace;
// nothing there is fine too.
OpenFailure judgeName(OutputFile* file) {
  const System& sys = *file->sys;
  // Neither O_CREAT nor O_TRUNC: whatever this opens is left as it is
  // unless it turns out to be special.
  int fd = -1;
  const int opened = sys.openat(file->dirFd, file->base.c_str(),
                                O_WRONLY | O_NOCTTY | O_CLOEXEC, 0, &fd);
  bool pathOnly = false;
  if (opened == ENOENT) return {};  // Nothing, or a dangling link.
  if (opened != 0) {
    // A regular file that may not be written (or runs as a program) is
    // replaced all the same, a block device is refused; anything else keeps
    // the reason the open gave.
    struct stat st;
    const bool looked = sys.openat(file->dirFd, file->base.c_str(),
                                   kLookUp | O_CLOEXEC, 0, &fd) == 0 &&
                        sys.fstat(fd, &st) == 0;
    const bool refused =
        opened == EACCES || opened == EPERM || opened == ETXTBSY;
    if (!looked || !S_ISREG(st.st_mode) || !refused) {
      closeLookedAt(sys, fd);
      if (looked && S_ISBLK(st.st_mode)) return {0, true};
      return {opened, false};
    }
    pathOnly = kLookUpNamesOnly;
  }
  int error = sys.fstat(fd, &file->old);
  const bool block = error == 0 && S_ISBLK(file->old.st_mode);
  if (error == 0 && !block && !S_ISREG(file->old.st_mode)) {
    file->fd = fd;
    file->direct = true;
    // A device that can seek (/dev/null) takes writes by position; a FIFO,
    // a terminal or a socket does not.
    off_t at = -1;
    file->positional = sys.lseek(fd, 0, SEEK_CUR, &at) == 0 && at == 0;
    return {};
  }
  if (error == 0 && !block) {
    file->replacing = true;
    error = readAccessAcl(sys, fd, pathOnly, &file->acl);
  }
  // Closing what was only opened to be looked at: still, a failure is a
  // sign of trouble worth stopping for before anything is written.
  const int closed = sys.close(fd);
  if (error == 0) error = closed;
  return {block ? 0 : error, block};
}

}  // namespace

OpenFailure openOutputFile(const System& sys, const std::string& name,
                           OutputFile* file) {
  *file = OutputFile();
  file->sys = &sys;
  OpenFailure failure{openDirectory(name, file), false};
  if (!failure.failed()) failure = judgeName(file);
  if (!failure.failed() && !file->direct) {
    // A new image gets the bits a new file gets: 0666 less the umask, or
    // what the directory's default ACL says.  A replacement starts private
    // and takes the old file's bits when complete.
    failure.error =
        createTemporaryFile(sys, file->dirFd, file->replacing ? 0600 : 0666,
                            &file->temporary, &file->fd);
    file->positional = true;
  }
  if (failure.failed()) discardOutputFile(file);
  return failure;
}

int openStandardOutput(const System& sys, bool closed, OutputFile* file) {
  *file = OutputFile();
  file->sys = &sys;
  if (closed) return EBADF;
  file->fd = STDOUT_FILENO;
  file->direct = true;
  endByBrokenPipe();
  return 0;
}

int commitOutputFile(OutputFile* file, bool sync) {
  const System& sys = *file->sys;
  const int fd = file->fd;
  file->fd = -1;
  int error = 0;
  if (fd == STDOUT_FILENO) {
    // Standard output stays open: the process exit closes it.
  } else if (file->direct) {
    error = sys.close(fd);
  } else {
    if (file->replacing)
      error = handOnAttributes(sys, fd, file->old, file->acl);
    // On disk before it takes the name, so that a crash or a disk that
    // fills up late never leaves the name holding a hole.
    if (error == 0 && sync) error = sys.fdatasync(fd);
    // A close may report a write the disk refused late.
    const int lateError = sys.close(fd);
    if (error == 0) error = lateError;
    if (error == 0)
      error = renameTemporaryFile(sys, &file->temporary, file->dirFd,
                                  file->base.c_str());
    // The rename itself on disk.
    if (error == 0 && sync && file->dirReadable) error = sys.fsync(file->dirFd);
  }
  discardOutputFile(file);
  return error;
}

void discardOutputFile(OutputFile* file) {
  if (file->sys == nullptr) return;  // Never opened.
  const System& sys = *file->sys;
  if (file->fd >= 0 && file->fd != STDOUT_FILENO) sys.close(file->fd);
  file->fd = -1;
  removeTemporaryFile(sys, &file->temporary);
  // A directory descriptor only looked through: its close loses nothing.
  closeLookedAt(sys, file->dirFd);
  file->dirFd = -1;
}
