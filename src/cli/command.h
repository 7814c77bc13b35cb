// The command line, checked whole before any file is touched.
#ifndef TOLLIVEX_CLI_COMMAND_H_
#define TOLLIVEX_CLI_COMMAND_H_

#include "image/image.h"

struct Command {
  ImageSpec image;
  bool alt = false;        // "-alt": "_Alt" goes into the output name.
  bool intelHex = false;   // "-ihex"
  bool binary = false;     // "-bin"
  bool seedGiven = false;  // "-seed": neither SOURCE_DATE_EPOCH nor the
                           // clock seeds the fill.
  // "-reclen": read once the format and unit are known.
  const char* recordLength = nullptr;
  bool addressSizeGiven = false;  // "-addrsize"
};

enum class CommandKind {
  kImage,    // Write the image *command describes.
  kHelp,     // --help or -h came before the image file name.
  kVersion,  // --version came before the image file name.
  kMisuse,   // The reason has been reported; the usage text should follow.
};

// Reads the options and their values, then checks the image file name, the
// words against the format, the record length, the count of address texts
// and each text, in that order, and reports the first misuse.  *command
// starts afresh.
CommandKind readCommand(int argc, char** argv, Command* command);

// Reports that a binary image cannot go to destination, which cannot go
// back, with the ranges out of order.
void reportBinaryOutOfOrder(const char* destination);

#endif  // TOLLIVEX_CLI_COMMAND_H_
