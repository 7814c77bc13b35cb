// The temporary file an image is written into before it takes its name, and
// the signal handling that removes it when a run is cut short.
#ifndef TOLLIVEX_CLI_TEMP_FILE_H_
#define TOLLIVEX_CLI_TEMP_FILE_H_

#include <string>

// Has SIGINT, SIGTERM and SIGHUP remove the temporary file and erase the
// progress line, then end the process by the same signal.  A signal that was
// ignored when the process started (nohup, a background job) stays ignored.
// SIGPIPE and SIGXFSZ are ignored, so that a reader gone away or a file-size
// limit shows up as a failed write instead of killing the run.
void installSignalCleanup();

// Creates a new empty file ".Tollivex.XXXXXX" in dir, readable and writable
// by its owner only, and registers it for removal.  Only one temporary file
// exists at a time.  Returns its descriptor, or -1 with errno set.
int createTemporaryFile(const std::string& dir);

// Renames the temporary file to name and forgets it.  Returns false with
// errno set when the rename fails; the file is then still registered.
bool renameTemporaryFile(const std::string& name);

// Removes the temporary file, if there is one, and forgets it.
void removeTemporaryFile();

#endif  // TOLLIVEX_CLI_TEMP_FILE_H_
