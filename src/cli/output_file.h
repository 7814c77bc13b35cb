// How an image reaches its name: whole or not at all.
//
// A regular file (or a name that does not exist yet) is written as a
// temporary file beside the name and renamed over it once complete, so that
// a failed or interrupted run leaves the name as it was, and a symbolic or
// hard link is replaced rather than written through.  A special file (a
// device, a FIFO) cannot be replaced and is written in place.
#ifndef TOLLIVEX_CLI_OUTPUT_FILE_H_
#define TOLLIVEX_CLI_OUTPUT_FILE_H_

#include <sys/types.h>

#include <string>

struct OutputFile {
  std::string name;
  int fd;           // Where the image goes.
  bool direct;      // A special file written in place, not a temporary file.
  bool positional;  // Can be written by position: not a pipe or a tty.
  mode_t mode;      // Permission bits of the finished image.
};

// Prepares the way to name.  Returns false with errno set when the name
// cannot be looked up (other than by not existing yet), is a directory, or
// the temporary file cannot be made beside it.
bool openOutputFile(const std::string& name, OutputFile* file);

// Gives the finished image its permission bits, closes it and renames it
// over the name; a special file is only closed.  Returns false with errno
// set when a step fails; the temporary file is then removed and the name
// keeps what it held.
bool commitOutputFile(OutputFile* file);

// Closes and removes the temporary file after a failed write: the name
// keeps what it held.  errno is kept.
void discardOutputFile(OutputFile* file);

#endif  // TOLLIVEX_CLI_OUTPUT_FILE_H_
