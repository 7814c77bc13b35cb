// The entry of Tollivex: seeds the fill, runs, and turns the outcome into
// the exit status.
#include <cstdlib>
#include <ctime>

#include "cli/run.h"
#include "cli/std_descriptors.h"
#include "cli/usage.h"

int main(int argc, char** argv) {
  // Seeded before anything else, so every run of the same second draws the
  // same fill.
  srand(static_cast<unsigned>(time(nullptr)));
  reserveStandardDescriptors();
  switch (runImage(argc, argv)) {
    case RunOutcome::kDone:
      return 0;
    case RunOutcome::kWriteFailed:
      return 1;
    case RunOutcome::kUsage:
      break;
  }
  printUsage();
}
