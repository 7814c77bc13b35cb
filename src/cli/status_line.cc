// The one line on a terminal that rewrites itself while the image is written.
#include "cli/status_line.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "io/cleanup.h"

namespace {

// Carriage return, then clear to the end of the line.
const char kErase[] = "\r\x1B[K";

// Whether a line stands drawn.  The cleanup of a run cut short reads it, so
// it is the kind of value a signal handler may read.
volatile sig_atomic_t drawn = 0;

// Async-signal-safe: what the cleanup runs when a signal ends the run.
void eraseWhenCutShort() {
  if (drawn == 0) return;
  ssize_t written = write(STDERR_FILENO, kErase, sizeof kErase - 1);
  (void)written;  // Nothing better to do on a failing terminal.
  drawn = 0;
}

}  // namespace

bool statusLineAllowed() {
  static const bool allowed = [] {
    const char* term = getenv("TERM");
    const bool yes =
        isatty(STDERR_FILENO) && term != nullptr && strcmp(term, "dumb") != 0;
    if (yes) addCleanupHook(eraseWhenCutShort);
    return yes;
  }();
  return allowed;
}

void drawStatusLine(const char* text) {
  // Carriage return, the text, then clear whatever a longer line left.
  // Standard error is unbuffered, so the line is out before it counts as
  // drawn.
  fprintf(stderr, "\r%s\x1B[K", text);
  drawn = 1;
}

void eraseStatusLine() {
  if (drawn == 0) return;
  drawn = 0;
  fputs(kErase, stderr);
}
