// The command line, checked whole before any file is touched.
#ifndef TOLLIVEX_CLI_COMMAND_H_
#define TOLLIVEX_CLI_COMMAND_H_

#include <cstdint>
#include <vector>

struct AddressPair {
  uint32_t start, end;  // Inclusive; nothing is written when start > end.
};

struct Command {
  const char* imageFile;
  std::vector<AddressPair> pairs;  // In command-line order.
};

enum class CommandKind {
  kImage,    // Write the image *command describes.
  kHelp,     // --help or -h came before the image file name.
  kVersion,  // --version came before the image file name.
  kMisuse,   // The reason has been reported; the usage text should follow.
};

// Scans the option words (setting the run-wide settings), then checks the
// image file name, the count of address texts and each text, in that order,
// and reports the first misuse.
CommandKind readCommand(int argc, char** argv, Command* command);

#endif  // TOLLIVEX_CLI_COMMAND_H_
