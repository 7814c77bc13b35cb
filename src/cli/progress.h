// Progress of a long run, shown on the terminal's status line.
#ifndef TOLLIVEX_CLI_PROGRESS_H_
#define TOLLIVEX_CLI_PROGRESS_H_

#include <cstdint>

#include "io/system.h"

// Images above this many data bytes show their progress.
constexpr uint64_t kProgressThreshold = uint64_t{64} << 20;

struct Progress {
  bool shown;             // Standard error is a terminal and the image is big.
  uint64_t total, done;   // Data bytes.
  double started, drawn;  // Monotonic seconds.
};

// Starts the display for an image of total data bytes and draws it at once,
// when standard error can show it and total exceeds kProgressThreshold.
Progress startProgress(uint64_t total, const System& sys);

// Counts bytes more as written and redraws, at most ten times a second.
void advanceProgress(Progress* progress, uint64_t bytes);

// Erases the display.
void endProgress(Progress* progress);

#endif  // TOLLIVEX_CLI_PROGRESS_H_
