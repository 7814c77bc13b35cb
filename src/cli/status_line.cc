// The one line on a terminal that rewrites itself while the image is written.
#include "cli/status_line.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool drawn = false;

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
  fprintf(stderr, "\r%s\x1B[K", text);
  drawn = true;
}

void eraseStatusLine() {
  if (!drawn) return;
  fputs("\r\x1B[K", stderr);
  drawn = false;
}
