// What a replaced file hands on to the image that replaces it.
#include "io/file_attributes.h"

#include <unistd.h>

#include <cstdio>

#if defined(__linux__)
#include <sys/xattr.h>
#endif

namespace {

#if defined(__linux__)
// The POSIX access ACL, kept by Linux as this extended attribute.
const char kAclName[] = "system.posix_acl_access";
#endif

}  // namespace

std::vector<char> readAccessAcl(int fd, bool pathOnly) {
  std::vector<char> acl;
#if defined(__linux__)
  char path[64];
  snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  // The size may change between the two calls: try again then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    ssize_t size = pathOnly ? getxattr(path, kAclName, nullptr, 0)
                            : fgetxattr(fd, kAclName, nullptr, 0);
    if (size <= 0) return {};
    acl.resize(static_cast<size_t>(size));
    size = pathOnly ? getxattr(path, kAclName, acl.data(), acl.size())
                    : fgetxattr(fd, kAclName, acl.data(), acl.size());
    if (size >= 0) {
      acl.resize(static_cast<size_t>(size));
      return acl;
    }
  }
  acl.clear();
#else
  (void)fd;
  (void)pathOnly;
#endif
  return acl;
}

bool handOnAttributes(int fd, const struct stat& old,
                      const std::vector<char>& acl) {
  // Only root may give a file away; a member of the old group may at least
  // keep the group.  Before the bits: a change of owner clears some.
  if (fchown(fd, old.st_uid, old.st_gid) != 0)
    (void)!fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  if (fchmod(fd, old.st_mode & 0777) != 0) return false;
#if defined(__linux__)
  if (!acl.empty() && fsetxattr(fd, kAclName, acl.data(), acl.size(), 0) != 0)
    return false;
#endif
  return true;
}
