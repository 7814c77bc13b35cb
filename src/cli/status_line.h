// The one line on a terminal that rewrites itself while the image is written.
#ifndef TOLLIVEX_CLI_STATUS_LINE_H_
#define TOLLIVEX_CLI_STATUS_LINE_H_

#include "io/system.h"

// Whether standard error is a terminal that can rewrite a line: a tty, and
// TERM set and not "dumb".  Decided once, on the first call, whose sys
// then draws the line.
bool statusLineAllowed(const System& sys);

// Replaces the status line with text.  Only call when allowed.
void drawStatusLine(const char* text);

// Clears the status line if one is drawn, leaving the cursor at its start.
// A run cut short by a signal clears it too.
void eraseStatusLine();

#endif  // TOLLIVEX_CLI_STATUS_LINE_H_
