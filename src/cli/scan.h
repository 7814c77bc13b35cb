// The argument scan: option words and their values, then the image file
// argument.
#ifndef TOLLIVEX_CLI_SCAN_H_
#define TOLLIVEX_CLI_SCAN_H_

#include "cli/command.h"
#include "cli/options.h"

// Where the scan stopped, and the argument it stopped at.
enum class ScanStop {
  kImage,          // argv[at] is the image file argument, or with -o, the
                   // address texts begin after it.
  kNoImage,        // The arguments ran out first; at is argc.
  kUnknownOption,  // argv[at] begins with '-' and is no option word.
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
// "-" naming a file.  With -o there is no image file argument: the first
// argument that is no option word (an address text may begin with '-')
// begins the address texts.  Pins that run past the address space, and
// kinds of -crc that name nothing, are found once every option is read.
Scan scanArguments(int argc, char** argv, Command* command);

// What the first of --help, -h and --version that stands among the options
// (a value option taking the next argument, up to the image file name or
// "--") asks for.  It wins over any misuse on the line.
Answer findAnswer(int argc, char** argv);

#endif  // TOLLIVEX_CLI_SCAN_H_
