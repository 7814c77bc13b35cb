// How an image reaches its name: whole or not at all.
#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "cli/temp_file.h"

namespace {

// The bits fopen() would give a new file: 0666 less the umask.
mode_t newFileMode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The directory a name lies in, as a path to it.
std::string directoryOf(const std::string& name) {
  size_t slash = name.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : name.substr(0, slash);
}

}  // namespace

bool openOutputFile(const std::string& name, OutputFile* file) {
  file->name = name;
  file->fd = -1;
  file->direct = false;
  file->positional = true;
  file->mode = newFileMode();
  struct stat st;
  if (lstat(name.c_str(), &st) != 0) {
    if (errno != ENOENT) return false;
  } else {
    // A link is judged by what it points at; a dangling one is replaced
    // like a missing name.
    bool dangling = false;
    if (S_ISLNK(st.st_mode) && stat(name.c_str(), &st) != 0) {
      if (errno != ENOENT) return false;
      dangling = true;
    }
    if (!dangling) {
      if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
      }
      if (!S_ISREG(st.st_mode)) {
        // No O_CREAT: if the special file went away meanwhile, this fails
        // rather than leaving a regular file written in place.
        file->fd = open(name.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        file->direct = true;
        file->positional = lseek(file->fd, 0, SEEK_CUR) == 0;
        return file->fd >= 0;
      }
      file->mode = st.st_mode & 0777;  // Kept, as sed -i keeps them.
    }
  }
  file->fd = createTemporaryFile(directoryOf(name));
  return file->fd >= 0;
}

bool commitOutputFile(OutputFile* file) {
  int fd = file->fd;
  file->fd = -1;
  if (file->direct) return close(fd) == 0;
  if (fchmod(fd, file->mode) != 0) {
    int error = errno;
    close(fd);
    errno = error;
    removeTemporaryFile();
    return false;
  }
  if (close(fd) != 0 || !renameTemporaryFile(file->name)) {
    removeTemporaryFile();
    return false;
  }
  return true;
}

void discardOutputFile(OutputFile* file) {
  int error = errno;
  if (file->fd >= 0) close(file->fd);
  file->fd = -1;
  if (!file->direct) removeTemporaryFile();
  errno = error;
}
