// The one line on a terminal that rewrites itself while the image is written.
#include "cli/status_line.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Whether a line is on the screen.  A signal handler reads it to erase the
// line before the process dies.
volatile sig_atomic_t drawn = 0;

}  // namespace

bool statusLineAllowed() {
  static const bool allowed = [] {
    const char* term = getenv("TERM");
    return isatty(STDERR_FILENO) && term != nullptr &&
           strcmp(term, "dumb") != 0;
  }();
  return allowed;
}

void drawStatusLine(const char* text) {
  // Carriage return, the text, then clear whatever a longer line left.
  // Standard error is unbuffered, so the line is out before drawn is set.
  fprintf(stderr, "\r%s\x1B[K", text);
  drawn = 1;
}

void eraseStatusLine() {
  if (!drawn) return;
  // write() rather than stdio: this runs in signal handlers too.
  static const char kErase[] = "\r\x1B[K";
  ssize_t written = write(STDERR_FILENO, kErase, sizeof kErase - 1);
  (void)written;  // Nothing better to do on a failing terminal.
  drawn = 0;
}
