// Where an image goes: a file it replaces whole or not at all, a special
// file written in place, or standard output.
//
// The file's directory is opened once and everything after goes through
// that descriptor, so a directory renamed or swapped mid-run changes
// nothing.  What stands at the name is judged by an open descriptor, never
// by a look at the name beforehand: a special file (a character device, a
// FIFO) is written in place; a block device is refused, as an image written
// onto a disk would destroy it; anything else, or nothing, is replaced by a
// temporary file renamed over the name once complete, so that a failed or
// interrupted run leaves the name as it was, and a link is replaced rather
// than written through.
#ifndef TOLLIVEX_IO_OUTPUT_FILE_H_
#define TOLLIVEX_IO_OUTPUT_FILE_H_

#include <sys/stat.h>

#include <string>
#include <vector>

#include "io/cleanup.h"
#include "io/system.h"

// Where an image goes, once the way there is open.  It must stay where it
// was opened until committed or discarded: the cleanup's list refers to it.
struct OutputFile {
  const System* sys = nullptr;
  int fd = -1;          // Where the image goes.
  bool direct = false;  // Written in place: a special file or standard output.
  bool positional = false;  // Can be written by position: a file of our own.
  int dirFd = -1;
  bool dirReadable = false;  // dirFd can be flushed (it is no O_PATH one).
  std::string base;          // The last part of the name.
  TemporaryFile temporary;   // What takes the name once complete.
  bool replacing = false;    // A regular file stands at the name: keep its
  struct stat old = {};      // owner, group and permission bits,
  std::vector<char> acl;     // and its access ACL, when it has one.
};

// Why the way to a name could not be prepared: the error of the call that
// failed, or a block device standing at the name, which is refused.
struct OpenFailure {
  int error = 0;
  bool blockDevice = false;
  bool failed() const { return error != 0 || blockDevice; }
};

// Prepares the way to name.  Fails when the directory cannot be opened, the
// name is a directory, a block device, or cannot be opened as a special
// file, the old file's ACL cannot be read, or the temporary file cannot be
// made.
OpenFailure openOutputFile(const System& sys, const std::string& name,
                           OutputFile* file);

// Standard output, which was closed when the process started when closed is
// set (and then fails with EBADF).  A reader that goes away ends the run by
// SIGPIPE.
int openStandardOutput(const System& sys, bool closed, OutputFile* file);

// Finishes the image: a replacement gets the old file's owner, group,
// permission bits and ACL, is flushed to disk when sync is set, closed and
// renamed over the name, and then the directory is flushed when sync is
// set; a special file is only closed.  Returns 0, or the error of the step
// that failed; a failure before the rename removes the temporary file and
// leaves the name as it was.
int commitOutputFile(OutputFile* file, bool sync);

// Closes and removes the temporary file after a failed write: the name
// keeps what it held.
void discardOutputFile(OutputFile* file);

#endif  // TOLLIVEX_IO_OUTPUT_FILE_H_
