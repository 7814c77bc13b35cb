// What a replaced file hands on to the image that replaces it.
#include "io/file_attributes.h"

#include <cerrno>
#include <cstdio>

namespace {

// The POSIX access ACL, kept by Linux as this extended attribute.
const char kAclName[] = "system.posix_acl_access";

// Whether error says only that the file has no ACL, or that its file
// system keeps none.
bool meansNoAcl(int error) {
  return error == ENODATA || error == ENOTSUP || error == EOPNOTSUPP;
}

}  // namespace

int readAccessAcl(const System& sys, int fd, bool pathOnly,
                  std::vector<char>* acl) {
  acl->clear();
  char path[64];
  snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  auto read = [&](void* value, size_t size) {
    return pathOnly ? sys.getxattr(path, kAclName, value, size)
                    : sys.fgetxattr(fd, kAclName, value, size);
  };
  // The size may change between the two calls: try again then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    ssize_t size = read(nullptr, 0);
    if (size < 0) return meansNoAcl(errno) ? 0 : errno;
    if (size == 0) return 0;
    acl->resize(static_cast<size_t>(size));
    size = read(acl->data(), acl->size());
    if (size >= 0) {
      acl->resize(static_cast<size_t>(size));
      return 0;
    }
    acl->clear();
    if (errno != ERANGE) return meansNoAcl(errno) ? 0 : errno;
  }
  return ERANGE;
}

int handOnAttributes(const System& sys, int fd, const struct stat& old,
                     const std::vector<char>& acl) {
  // Only root may give a file away; a member of the old group may at least
  // keep the group.  Before the bits: a change of owner clears some.
  if (sys.fchown(fd, old.st_uid, old.st_gid) != 0) {
    if (errno != EPERM) return errno;
    if (sys.fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 &&
        errno != EPERM)
      return errno;
  }
  if (!acl.empty()) {
    if (sys.fsetxattr(fd, kAclName, acl.data(), acl.size(), 0) != 0)
      return errno;
  } else if (sys.fremovexattr(fd, kAclName) != 0 && !meansNoAcl(errno)) {
    // The new file took the directory's default ACL: the old one had none.
    return errno;
  }
  if (sys.fchmod(fd, old.st_mode & 0777) != 0) return errno;
  return 0;
}
