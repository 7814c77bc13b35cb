// The command line, checked whole before any file is touched.
#include "cli/command.h"

#include "cli/address.h"
#include "cli/message.h"
#include "cli/output_name.h"
#include "cli/scan.h"

namespace {

// Parses text into *address, reporting it when it is no clean number.
bool readAddress(const char* text, uint32_t* address) {
  if (parseAddress(text, address)) return true;
  reportError(
      "bad address text '%s': expected a number from -2147483648 to "
      "4294967295 (decimal, 0x hexadecimal or 0 octal)",
      text);
  return false;
}

}  // namespace

void reportBinaryOutOfOrder(const char* destination) {
  reportError(
      "binary output to %s needs ranges in rising order without overlap",
      destination);
}

CommandKind readCommand(int argc, char** argv, Command* command) {
  *command = Command();
  Scan scan = scanArguments(argc, argv, command);
  switch (scan.stop) {
    case ScanStop::kImage:
      break;
    case ScanStop::kHelp:
      return CommandKind::kHelp;
    case ScanStop::kVersion:
      return CommandKind::kVersion;
    case ScanStop::kBadValue:
      return CommandKind::kMisuse;
    case ScanStop::kNoImage:
      reportError("no image file name given");
      return CommandKind::kMisuse;
    case ScanStop::kUnknownOption:
      reportError("unknown option '%s'", argv[scan.at]);
      return CommandKind::kMisuse;
  }
  ImageSpec& image = command->image;
  if (command->intelHex && command->binary) {
    reportError("choose one of -ihex and -bin");
    return CommandKind::kMisuse;
  }
  if (command->intelHex) image.format = ImageFormat::kIntelHex;
  if (command->binary) image.format = ImageFormat::kBinary;
  if (image.unit != 1 && image.format != ImageFormat::kSRecord) {
    reportError("-word writes S-records only");
    return CommandKind::kMisuse;
  }
  int texts = argc - scan.at - 1;
  if (texts % 2 != 0) {
    reportError("address texts come in pairs, but %d were given", texts);
    return CommandKind::kMisuse;
  }
  for (int i = scan.at + 1; i < argc; i += 2) {
    AddressPair pair;
    if (!readAddress(argv[i], &pair.start) ||
        !readAddress(argv[i + 1], &pair.end))
      return CommandKind::kMisuse;
    image.pairs.push_back(pair);
  }
  if (image.toStandardOutput && image.format == ImageFormat::kBinary &&
      !risingWithoutOverlap(image.pairs)) {
    reportBinaryOutOfOrder("standard output");
    return CommandKind::kMisuse;
  }
  if (!image.toStandardOutput)
    image.name = outputName(argv[scan.at], command->alt, image.format);
  return CommandKind::kImage;
}
