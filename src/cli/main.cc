// The entry of Tollivex: runs, and turns the outcome into the exit status.
#include <ctime>
#include <exception>

#include "cli/message.h"
#include "cli/run.h"
#include "cli/usage.h"
#include "io/cleanup.h"
#include "io/std_descriptors.h"

int main(int argc, char** argv) {
  // The clock is read first, so that a run reproduces the image of the
  // second it started in.
  time_t now = time(nullptr);
  bool stdoutClosed = reserveStandardDescriptors();
  installCleanup();
  RunOutcome outcome;
  try {
    outcome = runImage(argc, argv, now, stdoutClosed, realSystem());
  } catch (const std::exception& e) {
    // Nothing throws on purpose; memory running out may.  The name keeps
    // what it held: the exit removes the temporary file, as it is listed.
    reportError("stopped by an internal error: %s", e.what());
    return 1;
  }
  switch (outcome) {
    case RunOutcome::kDone:
      return 0;
    case RunOutcome::kFailed:
      return 1;
    case RunOutcome::kMisuse:
      break;
  }
  printUsage();
}
