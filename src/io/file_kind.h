// What kind of file stands at a name, for a warning before anything is
// written; the output itself is judged again by its own descriptor.
#ifndef TOLLIVEX_IO_FILE_KIND_H_
#define TOLLIVEX_IO_FILE_KIND_H_

#include <string>

#include "io/system.h"

enum class FileKind {
  kNone,  // Nothing, or nothing that can be looked at.
  kRegular,
  kDirectory,
  kCharacterDevice,
  kBlockDevice,
  kFifo,
  kSocket,
  kOther,
};

// The kind of what name leads to, links followed.
FileKind fileKindAt(const System& sys, const std::string& name);

#endif  // TOLLIVEX_IO_FILE_KIND_H_
