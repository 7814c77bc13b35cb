// Messages to the user on standard error.
#ifndef TOLLIVEX_CLI_MESSAGE_H_
#define TOLLIVEX_CLI_MESSAGE_H_

#define TOLLIVEX_PRINTF_LIKE __attribute__((format(printf, 1, 2)))

// Prints "Tollivex: " and the formatted text as one line.  A progress line
// on the terminal is erased first, so the message stands on a line of its own.
void reportError(const char* format, ...) TOLLIVEX_PRINTF_LIKE;

// Prints "Tollivex: warning: " and the formatted text as one line.
void reportWarning(const char* format, ...) TOLLIVEX_PRINTF_LIKE;

#endif  // TOLLIVEX_CLI_MESSAGE_H_
