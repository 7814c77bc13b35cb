// The entry of Tollivex: runs, and turns the outcome into the exit status.
#include <ctime>

#include "cli/run.h"
#include "cli/std_descriptors.h"
#include "cli/usage.h"

int main(int argc, char** argv) {
  // The clock is read first, so that a run reproduces the image of the
  // second it started in.
  time_t now = time(nullptr);
  bool stdoutClosed = reserveStandardDescriptors();
  switch (runImage(argc, argv, now, stdoutClosed)) {
    case RunOutcome::kDone:
      return 0;
    case RunOutcome::kFailed:
      return 1;
    case RunOutcome::kMisuse:
      break;
  }
  printUsage();
}
