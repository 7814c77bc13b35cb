// The command line, checked whole before any file is touched.
#include "cli/command.h"

#include "cli/address.h"
#include "cli/message.h"
#include "cli/output_name.h"
#include "cli/scan.h"
#include "image/record_cut.h"

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

// Checks that the words given suit the format: some shape only S-records,
// some only the text formats.
bool wordsSuitTheFormat(const Command& command) {
  const ImageSpec& image = command.image;
  const RecordShape& shape = image.shape;
  const struct {
    bool given;
    const char* word;
  } sRecordsOnly[] = {{shape.count, "-count"},
                      {command.addressSizeGiven, "-addrsize"},
                      {shape.headerGiven, "-header"}},
    textOnly[] = {{command.recordLength != nullptr, "-reclen"},
                  {shape.entryGiven, "-entry"},
                  {shape.crlf, "-crlf"}};
  for (const auto& w : sRecordsOnly) {
    if (w.given && image.format != ImageFormat::kSRecord) {
      reportError("%s writes S-records only", w.word);
      return false;
    }
  }
  for (const auto& w : textOnly) {
    if (w.given && image.format == ImageFormat::kBinary) {
      reportError("%s does not apply to -bin", w.word);
      return false;
    }
  }
  return true;
}

// Reads -reclen's value, now that the format and unit are known.
bool readRecordLength(Command* command) {
  ImageSpec& image = command->image;
  if (command->recordLength == nullptr) return true;
  uint32_t length;
  if (parseAddress(command->recordLength, &length) && length >= 1 &&
      length <= maxRecordLength(image.format) && length % image.unit == 0) {
    image.shape.length = length;
    return true;
  }
  reportError(
      "bad record length '%s': expected a number from 1 to %u (%u with "
      "-ihex), even with -word",
      command->recordLength, kMaxSRecordData, kMaxIntelHexData);
  return false;
}

// Settles the region of each -crc value given without one, and checks that
// every value fits the address space and lies outside every region, and
// that every region holds a byte.
bool placeChecks(Command* command) {
  ImageSpec& image = command->image;
  uint32_t low = 0, high;
  const bool covered = imageSpan(image, &low, &high);
  for (size_t i : command->defaultRegions) {
    PlacedCheck& check = image.checks[i];
    if (!covered || check.address <= low) {  // Its region would be empty.
      reportBadCheck(check.text.c_str());
      return false;
    }
    check.start = low;
    check.end = check.address - 1;
  }
  for (const PlacedCheck& check : image.checks) {
    const uint64_t last = uint64_t{check.address} + valueBytes(*check.kind) - 1;
    bool fits = check.start <= check.end && last <= 0xFFFFFFFFu;
    for (const PlacedCheck& other : image.checks)
      fits = fits && (last < other.start || check.address > other.end);
    if (!fits) {
      reportBadCheck(check.text.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

void reportBinaryOutOfOrder(const char* destination) {
  reportError(
      "binary output to %s needs ranges in rising order without overlap",
      destination);
}

CommandKind readCommand(int argc, char** argv, Command* command) {
  *command = Command();
  switch (findAnswer(argc, argv)) {
    case ScanStop::kHelp:
      return CommandKind::kHelp;
    case ScanStop::kVersion:
      return CommandKind::kVersion;
    default:
      break;
  }
  Scan scan = scanArguments(argc, argv, command);
  switch (scan.stop) {
    case ScanStop::kImage:
      break;
    case ScanStop::kHelp:
    case ScanStop::kVersion:
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
  if (image.unit != 1 && !image.checks.empty()) {
    reportError("-crc does not apply to -word");
    return CommandKind::kMisuse;
  }
  if (!wordsSuitTheFormat(*command) || !readRecordLength(command))
    return CommandKind::kMisuse;
  for (int i = scan.at + 1; i < argc; ++i) {
    if (isOptionWord(argv[i])) {
      reportError(
          "option '%s' comes after the image file name; options go first",
          argv[i]);
      return CommandKind::kMisuse;
    }
  }
  int texts = argc - scan.at - 1;
  if (texts % 2 != 0) {
    reportError("address texts come in pairs, but %d %s given", texts,
                texts == 1 ? "was" : "were");
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
  if (!image.checks.empty() && !risingWithoutOverlap(image.pairs)) {
    reportError("-crc needs ranges in rising order without overlap");
    return CommandKind::kMisuse;
  }
  if (!placeChecks(command)) return CommandKind::kMisuse;
  if (image.shape.count) {
    uint64_t records = imageRecords(image);
    if (records > kMaxCountedRecords) {
      reportError(
          "-count: %llu data records are more than an S6 record holds "
          "(%llu)",
          static_cast<unsigned long long>(records),
          static_cast<unsigned long long>(kMaxCountedRecords));
      return CommandKind::kMisuse;
    }
  }
  if (!image.toStandardOutput)
    image.name = outputName(argv[scan.at], command->alt, image.format);
  return CommandKind::kImage;
}
