// What a replaced file hands on to the image that replaces it: owner,
// group, permission bits and access ACL, as `sed -i` hands them on.
#ifndef TOLLIVEX_IO_FILE_ATTRIBUTES_H_
#define TOLLIVEX_IO_FILE_ATTRIBUTES_H_

#include <sys/stat.h>

#include <vector>

// The access ACL of the file open on fd, as the raw extended attribute;
// empty when it has none or the system keeps none.  With pathOnly, fd may
// be one that only names the file (O_PATH).
std::vector<char> readAccessAcl(int fd, bool pathOnly);

// Gives the file open on fd the owner and group of old where the system
// allows (a refused change is no error), the permission bits of old (the
// set-user-ID, set-group-ID and sticky bits dropped), and acl unless it is
// empty.  Returns false with errno set when the bits or the ACL cannot be
// set.
bool handOnAttributes(int fd, const struct stat& old,
                      const std::vector<char>& acl);

#endif  // TOLLIVEX_IO_FILE_ATTRIBUTES_H_
