// The command line, checked whole before any file is touched.
#ifndef TOLLIVEX_CLI_COMMAND_H_
#define TOLLIVEX_CLI_COMMAND_H_

#include <cstdint>
#include <string>
#include <vector>

#include "image/image.h"

// A number given as an option's value: read where the option is, judged
// once the rest of the line is known.
struct NumberValue {
  bool given = false;
  bool number = false;  // The text is a clean number, value.
  uint32_t value = 0;
  std::string text;  // As given, for messages.
};

struct Command {
  ImageSpec image;
  bool alt = false;  // "-alt": "_Alt" goes into the output name.
  // The format words in the order given: "-ihex", "-bin", "-titxt",
  // "-vmem", "-carray".
  std::vector<ImageFormat> formatsGiven;
  std::string width;              // "-width", as given; empty when not.
  bool seedGiven = false;         // "-seed": neither SOURCE_DATE_EPOCH nor the
                                  // clock seeds the fill.
  NumberValue recordLength;       // "-reclen"
  bool addressSizeGiven = false;  // "-addrsize"
  bool allowBrick = false;        // "-allow-brick": what locks a part for good
                                  // is warned of, not refused.
  bool outputGiven = false;       // "-o FILE": the output goes to FILE exactly,
  std::string output;             // and no image file argument is taken.
  std::string imageFile;          // The image file argument, without -o.
  bool strict = false;            // "-strict": warnings stop the run.
  bool quiet = false;             // "-q": no progress, no "Producing" line.
  // The device profile words in the order given ("hcs08", "cfvx"): a
  // later one replaces an earlier one.
  std::vector<std::string> profilesGiven;
};

enum class CommandKind {
  kImage,     // Write the image *command describes.
  kHelp,      // --help or -h stands among the options.
  kVersion,   // --version stands among the options.
  kProfiles,  // --profiles stands among the options.
  kMisuse,    // The reason has been reported; the usage text should follow.
};

// Reads the command line into *command, which starts afresh, and reports
// its first misuse, in the order the checks of command.cc run.  --help and
// --version among the options win over any misuse.
CommandKind readCommand(int argc, char** argv, Command* command);

// Whether image can go to destination, which takes bytes in order only:
// not when it spans (binary, a C array) and its ranges do not rise without
// overlap, which is reported.
bool spanGoesInOrder(const ImageSpec& image, const char* destination);

#endif  // TOLLIVEX_CLI_COMMAND_H_
