// The argument scan: option words, then the image file argument.
#ifndef TOLLIVEX_CLI_SCAN_H_
#define TOLLIVEX_CLI_SCAN_H_

// Process-wide settings, written only by the scan.
extern bool wordMode;  // "-word": addresses count 16-bit words.
extern bool altName;   // "-alt": "_Alt" goes into the output name.

// Puts the flags and the fixed regions back to their initial state.
void resetSettings();

// Where the scan stopped, and the argument it stopped at.
enum class ScanStop {
  kImage,          // argv[at] is the image file argument.
  kNoImage,        // The arguments ran out first; at is argc.
  kUnknownOption,  // argv[at] begins with '-' and is no option word.
  kHelp,           // argv[at] is "--help" or "-h".
  kVersion,        // argv[at] is "--version".
};
struct Scan {
  ScanStop stop;
  int at;
};

// Applies the option words from argv[1] on, up to the image file argument.
// Words match whole, ignoring the case of ASCII letters.  "--" ends the
// options: the argument after it is the image file argument whatever it
// looks like.
Scan scanArguments(int argc, char** argv);

#endif  // TOLLIVEX_CLI_SCAN_H_
