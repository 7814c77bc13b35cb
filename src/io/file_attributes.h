// What a replaced file hands on to the image that replaces it: owner,
// group, permission bits and access ACL, as `sed -i` hands them on.
#ifndef TOLLIVEX_IO_FILE_ATTRIBUTES_H_
#define TOLLIVEX_IO_FILE_ATTRIBUTES_H_

#include <sys/stat.h>

#include <vector>

#include "io/system.h"

// Reads into *acl the access ACL of the file open on fd, as the raw
// extended attribute; empty when it has none or the file system keeps
// none.  With pathOnly, fd may be one that only names the file (O_PATH).
// Returns 0, or the error of a failed read.
int readAccessAcl(const System& sys, int fd, bool pathOnly,
                  std::vector<char>* acl);

// Gives the file open on fd the owner and group of old where the system
// allows (a change it refuses as not permitted is no error), exactly the
// access ACL acl (none when it is empty, whatever a default ACL of the
// directory gave the new file), and the permission bits of old (the
// set-user-ID, set-group-ID and sticky bits dropped).  Returns 0, or the
// error of the step that failed.
int handOnAttributes(const System& sys, int fd, const struct stat& old,
                     const std::vector<char>& acl);

#endif  // TOLLIVEX_IO_FILE_ATTRIBUTES_H_
