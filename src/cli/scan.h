// The argument scan: option words and their values, then the image file
// argument.
#ifndef TOLLIVEX_CLI_SCAN_H_
#define TOLLIVEX_CLI_SCAN_H_

#include "cli/command.h"

// Where the scan stopped, and the argument it stopped at.
enum class ScanStop {
  kImage,          // argv[at] is the image file argument.
  kNoImage,        // The arguments ran out first; at is argc.
  kUnknownOption,  // argv[at] begins with '-' and is no option word.
  kHelp,           // argv[at] is "--help" or "-h".
  kVersion,        // argv[at] is "--version".
  kBadValue,       // An option's value is missing or bad; it is reported.
};
struct Scan {
  ScanStop stop;
  int at;
};

// Applies the options from argv[1] on to *command, up to the image file
// argument.  Words match whole, ignoring the case of ASCII letters; the
// value options take the next argument as their value.  A lone "-" is the
// image file argument and names standard output.  "--" ends the options:
// the argument after it is the image file argument whatever it looks like,
// "-" naming a file.
Scan scanArguments(int argc, char** argv, Command* command);

#endif  // TOLLIVEX_CLI_SCAN_H_
