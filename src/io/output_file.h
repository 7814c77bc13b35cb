// Where an image goes: a file it replaces whole or not at all, a special
// file written in place, or standard output.
//
// The file's directory is opened once and everything after goes through
// that descriptor, so a directory renamed or swapped mid-run changes
// nothing.  What stands at the name is judged by an open descriptor, never
// by a look at the name beforehand: a special file (a device, a FIFO) is
// written in place; anything else, or nothing, is replaced by a temporary
// file renamed over the name once complete, so that a failed or interrupted
// run leaves the name as it was, and a link is replaced rather than written
// through.
#ifndef TOLLIVEX_IO_OUTPUT_FILE_H_
#define TOLLIVEX_IO_OUTPUT_FILE_H_

#include <sys/stat.h>

#include <string>
#include <vector>

struct OutputFile {
  int fd = -1;          // Where the image goes.
  bool direct = false;  // Written in place: a special file or standard output.
  bool positional = false;  // Can be written by position: a file of our own.
  int dirFd = -1;
  std::string base;        // The last part of the name.
  bool replacing = false;  // A regular file stands at the name: keep its
  struct stat old = {};    // owner, group and permission bits,
  std::vector<char> acl;   // and its access ACL, when it has one.
};

// Prepares the way to name.  Returns false with errno set, by the call that
// failed, when the directory cannot be opened, the name is a directory or
// cannot be opened as a special file, or the temporary file cannot be made.
bool openOutputFile(const std::string& name, OutputFile* file);

// Standard output, which was closed when the process started when closed is
// set (and then fails with EBADF).
bool openStandardOutput(bool closed, OutputFile* file);

// Gives a finished replacement the old file's owner, group, permission bits
// and ACL, closes it and renames it over the name; a special file is only
// closed.  Returns false with errno set when a step fails: the temporary
// file is then removed and the name keeps what it held.
bool commitOutputFile(OutputFile* file);

// Closes and removes the temporary file after a failed write: the name
// keeps what it held.  errno is kept.
void discardOutputFile(OutputFile* file);

#endif  // TOLLIVEX_IO_OUTPUT_FILE_H_
