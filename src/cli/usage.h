// The usage lines that follow a misuse, and the exit through them.
#ifndef TOLLIVEX_CLI_USAGE_H_
#define TOLLIVEX_CLI_USAGE_H_

// Writes the usage lines to standard error and ends the process with
// status 1.
[[noreturn]] void printUsage();

#endif  // TOLLIVEX_CLI_USAGE_H_
