// Messages to the user on standard error, and user text shown safely.
#ifndef TOLLIVEX_CLI_MESSAGE_H_
#define TOLLIVEX_CLI_MESSAGE_H_

#include <string>

#define TOLLIVEX_PRINTF_LIKE __attribute__((format(printf, 1, 2)))

// Prints "Tollivex: " and the formatted text as one line.  A progress line
// on the terminal is erased first, so the message stands on a line of its own.
// Control characters in the text are shown as shownText() shows them.
void reportError(const char* format, ...) TOLLIVEX_PRINTF_LIKE;

// Prints "Tollivex: warning: " and the formatted text as one line.
void reportWarning(const char* format, ...) TOLLIVEX_PRINTF_LIKE;

// Prints "Tollivex: " and the formatted text as one line, as a note: what
// the user may want to know, which is neither an error nor a warning.
void reportNote(const char* format, ...) TOLLIVEX_PRINTF_LIKE;

// text with each byte 0x01..0x1F and 0x7F written as \xHH, so that a name or
// argument can neither start a line of its own nor drive the terminal.
// Every other byte, UTF-8 and the backslash included, stays as it is.
std::string shownText(const std::string& text);

#endif  // TOLLIVEX_CLI_MESSAGE_H_
