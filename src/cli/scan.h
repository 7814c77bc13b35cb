// The argument scan: option words, then the image file argument.
#ifndef TOLLIVEX_CLI_SCAN_H_
#define TOLLIVEX_CLI_SCAN_H_

// Process-wide settings, written only by the scan.
extern bool wordMode;  // "-word": addresses count 16-bit words.
extern bool altName;   // "-alt": "_Alt" goes into the output name.

// Puts the flags and the fixed regions back to their initial state.
void resetSettings();

// Applies the option words from argv[1] on and returns the index of the
// first argument that is not one, the image file argument; returns 0 when
// there is none.  Words match whole, ignoring the case of ASCII letters.
int scanArguments(int argc, char** argv);

#endif  // TOLLIVEX_CLI_SCAN_H_
