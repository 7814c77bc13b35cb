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
  auto read = [&](void* value, size_t size, size_t* length) {
    return pathOnly ? sys.getxattr(path, kAclName, value, size, length)
                    : sys.fgetxattr(fd, kAclName, value, size, length);
  };
  // The size may change between the two calls: try again then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    size_t size = 0;
    int error = read(nullptr, 0, &size);
    if (error != 0) return meansNoAcl(error) ? 0 : error;
    if (size == 0) return 0;
    acl->resize(size);
    error = read(acl->data(), acl->size(), &size);
    if (error == 0) {
      acl->resize(size);
      return 0;
    }
    acl->clear();
    if (error != ERANGE) return meansNoAcl(error) ? 0 : error;
  }
  return ERANGE;
}

int handOnAttributes(const System& sys, int fd, const struct stat& old,
                     const std::vector<char>& acl) {
  // Only root may give a file away; a member of the old group may at least
  // keep the group.  Before the bits: a change of owner clears some.
  int error = sys.fchown(fd, old.st_uid, old.st_gid);
  if (error == EPERM)
    error = sys.fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  if (error != 0 && error != EPERM) return error;
  if (!acl.empty()) {
    error = sys.fsetxattr(fd, kAclName, acl.data(), acl.size(), 0);
    if (error != 0) return error;
  } else {
    // The new file took the directory's default ACL: the old one had none.
    error = sys.fremovexattr(fd, kAclName);
    if (error != 0 && !meansNoAcl(error)) return error;
  }
  return sys.fchmod(fd, old.st_mode & 0777);
}
