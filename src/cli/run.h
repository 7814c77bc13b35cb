// One run of the tool, from the arguments to the outcome.
#ifndef TOLLIVEX_CLI_RUN_H_
#define TOLLIVEX_CLI_RUN_H_

#include <ctime>

#include "io/system.h"

enum class RunOutcome {
  kDone,    // The image, the help or the version was written.
  kMisuse,  // The reason is reported: the caller shows the usage text.
  kFailed,  // The reason is reported; nothing more to show.
};

// Checks the command line, then writes the image, seeded from -seed,
// SOURCE_DATE_EPOCH or else from now, to its file or to standard output
// (which must not have been closed when the process started), reaching the
// system through sys.  A misuse is found before the image file is opened,
// so it never touches a file; the cleanup of an interrupted run must be
// installed.
RunOutcome runImage(int argc, char** argv, time_t now, bool stdoutClosed,
                    const System& sys);

#endif  // TOLLIVEX_CLI_RUN_H_
