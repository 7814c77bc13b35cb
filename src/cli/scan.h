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
  kHelp,           // "--help" or "-h" stands among the options.
  kVersion,        // "--version" stands among the options.
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

// kHelp or kVersion when the first of --help, -h and --version that stands
// among the options (a value option taking the next argument, up to the
// image file name or "--") asks for one, else kImage.  It wins over any
// misuse on the line.
ScanStop findAnswer(int argc, char** argv);

// Whether arg is one of the option words, matched as the scan matches them.
bool isOptionWord(const char* arg);

// Reports a -crc value that cannot be read or placed.
void reportBadCheck(const char* text);

#endif  // TOLLIVEX_CLI_SCAN_H_
