// The one line on a terminal that rewrites itself while the image is written.
#include "cli/status_line.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "io/cleanup.h"

namespace {

// Carriage return, then clear to the end of the line.
const char kErase[] = "\r\x1B[K";

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
  // A line is drawn while the cleanup of a run cut short would erase it.
  setCleanupText(kErase);
}

void eraseStatusLine() {
  if (cleanupText() == nullptr) return;
  setCleanupText(nullptr);
  fputs(kErase, stderr);
}
