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
  // The -crc values whose region runs from the first covered address up to
  // them, once the ranges are known.
  std::vector<size_t> defaultRegions;
};

enum class CommandKind {
  kImage,    // Write the image *command describes.
  kHelp,     // --help or -h stands among the options.
  kVersion,  // --version stands among the options.
  kMisuse,   // The reason has been reported; the usage text should follow.
};

// Reads the command line and reports its first misuse, in this order: the
// option values as they come (and pins past the address space), an
// unknown option, no image file name, the format against -word, -crc and
// the record shapes, the record length, an option after the image file
// name, the pair count, each address text, binary to standard output out
// of order, -crc with ranges out of order, the -crc layout, and the -count
// limit.  --help and --version among the options win over any misuse.
// *command starts afresh.
CommandKind readCommand(int argc, char** argv, Command* command);

// Reports that a binary image cannot go to destination, which cannot go
// back, with the ranges out of order.
void reportBinaryOutOfOrder(const char* destination);

#endif  // TOLLIVEX_CLI_COMMAND_H_
