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

// Closes fd, keeping errno.
void closeKeepingErrno(int fd) {
  int error = errno;
  if (fd >= 0) close(fd);
  errno = error;
}

// Opens the directory name lies in and sets file->base to the rest.
bool openDirectory(const std::string& name, OutputFile* file) {
  size_t slash = name.rfind('/');
  std::string dir = slash == std::string::npos ? "."
                    : slash == 0               ? "/"
                                               : name.substr(0, slash);
  file->base = slash == std::string::npos ? name : name.substr(slash + 1);
  file->dirFd = open(dir.c_str(), kLookUp | O_DIRECTORY | O_CLOEXEC);
  return file->dirFd >= 0;
}

// Looks at what stands at the name, by descriptor.  Sets file->fd to a
// special file to write in place, or notes a regular file to replace;
// nothing there is fine too.  Returns false with errno set otherwise.
bool judgeName(OutputFile* file) {
  // Neither O_CREAT nor O_TRUNC: whatever this opens is left as it is
  // unless it turns out to be special.
  int fd =
      openat(file->dirFd, file->base.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  bool pathOnly = false;
  if (fd < 0) {
    if (errno == ENOENT) return true;  // Nothing, or a dangling link.
    // A regular file without write permission is replaced all the same;
    // anything else keeps the reason the open gave.
    int error = errno;
    fd = openat(file->dirFd, file->base.c_str(), kLookUp | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      if (fd >= 0) close(fd);
      errno = error;
      return false;
    }
    pathOnly = kLookUpNamesOnly;
  }
  if (fstat(fd, &file->old) != 0) {
    closeKeepingErrno(fd);
    return false;
  }
  if (!S_ISREG(file->old.st_mode)) {
    file->fd = fd;
    file->direct = true;
    // A device that can seek (/dev/null, a disk) takes writes by position;
    // a FIFO, a terminal or a socket does not.
    file->positional = lseek(fd, 0, SEEK_CUR) == 0;
    return true;
  }
  file->replacing = true;
  file->acl = readAccessAcl(fd, pathOnly);
  close(fd);
  return true;
}

}  // namespace

bool openOutputFile(const std::string& name, OutputFile* file) {
  *file = OutputFile();
  if (!openDirectory(name, file)) return false;
  if (!judgeName(file)) {
    discardOutputFile(file);
    return false;
  }
  if (file->direct) return true;
  // A new image gets the bits a new file gets: 0666 less the umask, or
  // what the directory's default ACL says.  A replacement starts private
  // and takes the old file's bits when complete.
  file->fd = createTemporaryFile(file->dirFd, file->replacing ? 0600 : 0666);
  file->positional = true;
  if (file->fd < 0) {
    discardOutputFile(file);
    return false;
  }
  return true;
}

bool openStandardOutput(bool closed, OutputFile* file) {
  *file = OutputFile();
  if (closed) {
    errno = EBADF;
    return false;
  }
  file->fd = STDOUT_FILENO;
  file->direct = true;
  return true;
}

bool commitOutputFile(OutputFile* file) {
  int fd = file->fd;
  file->fd = -1;
  if (fd == STDOUT_FILENO) return true;
  if (file->direct) {
    bool closed = close(fd) == 0;
    discardOutputFile(file);
    return closed;
  }
  bool ok = (!file->replacing || handOnAttributes(fd, file->old, file->acl));
  if (!ok) closeKeepingErrno(fd);
  ok = ok && close(fd) == 0 && renameTemporaryFile(file->base.c_str());
  discardOutputFile(file);
  return ok;
}

void discardOutputFile(OutputFile* file) {
  int error = errno;
  if (file->fd >= 0 && file->fd != STDOUT_FILENO) close(file->fd);
  file->fd = -1;
  if (!file->direct) removeTemporaryFile();
  if (file->dirFd >= 0) close(file->dirFd);
  file->dirFd = -1;
  errno = error;
}
