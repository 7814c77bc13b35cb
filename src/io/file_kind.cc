// What kind of file stands at a name.
#include "io/file_kind.h"

#include <fcntl.h>
#include <sys/stat.h>

FileKind fileKindAt(const System& sys, const std::string& name) {
#if defined(O_PATH)
  const int flags = O_PATH | O_CLOEXEC;
#else
  const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
#endif
  int fd = -1;
  if (sys.openat(AT_FDCWD, name.c_str(), flags, 0, &fd) != 0)
    return FileKind::kNone;
  struct stat st;
  const bool looked = sys.fstat(fd, &st) == 0;
  sys.close(fd);
  if (!looked) return FileKind::kNone;
  if (S_ISREG(st.st_mode)) return FileKind::kRegular;
  if (S_ISDIR(st.st_mode)) return FileKind::kDirectory;
  if (S_ISCHR(st.st_mode)) return FileKind::kCharacterDevice;
  if (S_ISBLK(st.st_mode)) return FileKind::kBlockDevice;
  if (S_ISFIFO(st.st_mode)) return FileKind::kFifo;
  if (S_ISSOCK(st.st_mode)) return FileKind::kSocket;
  return FileKind::kOther;
}
