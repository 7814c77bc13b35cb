// The one line on a terminal that rewrites itself while the image is written.
#include "cli/status_line.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include "io/cleanup.h"

namespace {

// Carriage return, then clear to the end of the line.
const char kErase[] = "\r\x1B[K";

// Whether a line stands drawn.  The cleanup of a run cut short reads it, so
// it is the kind of value a signal handler may read.
volatile sig_atomic_t drawn = 0;

// The calls that draw the line: set once, when the line is allowed.
const System* terminal = nullptr;

// Async-signal-safe: what the cleanup runs when a signal ends the run.
void eraseWhenCutShort() {
  if (drawn == 0) return;
  ssize_t written = write(STDERR_FILENO, kErase, sizeof kErase - 1);
  (void)written;  // Nothing better to do on a failing terminal.
  drawn = 0;
}

}  // namespace

bool statusLineAllowed(const System& sys) {
  static const bool allowed = [&sys] {
    const char* term = getenv("TERM");
    const bool yes = sys.isatty(STDERR_FILENO) == 0 && term != nullptr &&
                     strcmp(term, "dumb") != 0;
    if (yes) {
      terminal = &sys;
      addCleanupHook(eraseWhenCutShort);
    }
    return yes;
  }();
  return allowed;
}

void drawStatusLine(const char* text) {
  // Carriage return, the text, then clear whatever a longer line left: in
  // one write, so that the line is out before it counts as drawn.  A
  // terminal that fails to take it is no reason to stop the image.
  const std::string line = std::string("\r") + text + "\x1B[K";
  (void)writeAll(*terminal, STDERR_FILENO, false, line.data(), line.size(), 0);
  drawn = 1;
}

void eraseStatusLine() {
  if (drawn == 0) return;
  drawn = 0;
  (void)writeAll(*terminal, STDERR_FILENO, false, kErase, sizeof kErase - 1, 0);
}
