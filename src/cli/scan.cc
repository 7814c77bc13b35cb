// The argument scan: option words and their values, then the image file
// argument.
#include "cli/scan.h"

#include <strings.h>

#include <cstring>
#include <string>
#include <vector>

#include "cli/address.h"
#include "cli/hex_bytes.h"
#include "cli/message.h"
#include "image/device_profile.h"
#include "image/record_cut.h"

namespace {

// Applies arg when it is an option word without a value; returns false
// otherwise.
bool applyWord(const char* arg, Command* command) {
  if (strcasecmp(arg, "-word") == 0) {
    command->image.unit = 2;
  } else if (strcasecmp(arg, "-alt") == 0) {
    command->alt = true;
  } else if (strcasecmp(arg, "-ihex") == 0) {
    command->intelHex = true;
  } else if (strcasecmp(arg, "-bin") == 0) {
    command->binary = true;
  } else if (strcasecmp(arg, "-count") == 0) {
    command->image.shape.count = true;
  } else if (strcasecmp(arg, "-crlf") == 0) {
    command->image.shape.crlf = true;
  } else if (strcasecmp(arg, "-cfvx") != 0) {
    // "-cfvx" is accepted for compatibility and pins nothing: an earlier
    // profile stays in force.
    const DeviceProfile* profile = findDeviceProfile(arg);
    if (profile == nullptr) return false;
    command->image.securityRegion = profile->security;
    command->image.blankRegion = profile->blank;
    command->image.profile = profile->family;
  }
  return true;
}

void reportBadPin(const char* text) {
  reportError(
      "bad pin '%s': expected ADDRESS=HEXBYTES (1 to 256 bytes), such as "
      "0x40C=FE, inside the address space",
      text);
}

bool readSeed(const char* text, Command* command) {
  if (parseAddress(text, &command->image.seed)) {
    command->seedGiven = true;
    return true;
  }
  reportError(
      "bad seed text '%s': expected a number from -2147483648 to "
      "4294967295 (decimal, 0x hexadecimal or 0 octal)",
      text);
  return false;
}

bool readFill(const char* text, Command* command) {
  if (strcasecmp(text, "random") == 0) {
    command->image.pattern.clear();
    return true;
  }
  if (parseHexBytes(text, 16, &command->image.pattern)) return true;
  reportError(
      "bad fill pattern '%s': expected random or 1 to 16 bytes as hex "
      "digits, such as FF or DEADBEEF",
      text);
  return false;
}

bool readPin(const char* text, Command* command) {
  const char* equals = strchr(text, '=');
  PinnedBlock pin;
  if (equals == nullptr ||
      !parseAddress(std::string(text, equals).c_str(), &pin.address) ||
      !parseHexBytes(equals + 1, 256, &pin.bytes)) {
    reportBadPin(text);
    return false;
  }
  pin.text = text;
  command->image.pins.push_back(pin);
  return true;
}

// Reads KIND[-be]:ADDRESS[:START:END]; the layout is checked once the
// ranges are known.
bool readCheck(const char* text, Command* command) {
  std::vector<std::string> parts(1);
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == ':') {
      parts.emplace_back();
    } else {
      parts.back() += *p;
    }
  }
  PlacedCheck check = {nullptr, false, 0, 0, 0, text};
  std::string kind = parts[0];
  check.bigEndian =
      kind.size() > 3 && kind.compare(kind.size() - 3, 3, "-be") == 0;
  if (check.bigEndian) kind.resize(kind.size() - 3);
  check.kind = findCheckKind(kind.data(), kind.size());
  const bool regionGiven = parts.size() == 4;
  if (check.kind != nullptr && (parts.size() == 2 || regionGiven) &&
      parseAddress(parts[1].c_str(), &check.address) &&
      (!regionGiven || (parseAddress(parts[2].c_str(), &check.start) &&
                        parseAddress(parts[3].c_str(), &check.end)))) {
    if (!regionGiven)
      command->defaultRegions.push_back(command->image.checks.size());
    command->image.checks.push_back(check);
    return true;
  }
  reportBadCheck(text);
  return false;
}

bool readRecordLength(const char* text, Command* command) {
  command->recordLength = text;  // Checked once the format is known.
  return true;
}

bool readAddressSize(const char* text, Command* command) {
  uint32_t size;
  if (parseAddress(text, &size) && size >= 2 && size <= 4) {
    command->image.shape.addressSize = size;
    command->addressSizeGiven = true;
    return true;
  }
  reportError("bad address size '%s': expected 2, 3 or 4", text);
  return false;
}

bool readEntry(const char* text, Command* command) {
  RecordShape& shape = command->image.shape;
  if (parseAddress(text, &shape.entry)) {
    shape.entryGiven = true;
    return true;
  }
  reportError(
      "bad entry address '%s': expected a number from -2147483648 to "
      "4294967295 (decimal, 0x hexadecimal or 0 octal)",
      text);
  return false;
}

bool readHeader(const char* text, Command* command) {
  RecordShape& shape = command->image.shape;
  if (strlen(text) <= kMaxHeaderBytes) {
    shape.header = text;
    shape.headerGiven = true;
    return true;
  }
  reportError("bad header text: longer than %zu bytes", kMaxHeaderBytes);
  return false;
}

// The options that take the next argument as their value, and what reads
// it into a command, reporting a bad one.
struct ValueOption {
  const char* word;
  bool (*read)(const char* value, Command* command);
};
const ValueOption kValueOptions[] = {
    {"-seed", readSeed},
    {"-fill", readFill},
    {"-pin", readPin},
    {"-reclen", readRecordLength},
    {"-addrsize", readAddressSize},
    {"-entry", readEntry},
    {"-header", readHeader},
    {"-crc", readCheck},
};

const ValueOption* findValueOption(const char* arg) {
  for (const ValueOption& option : kValueOptions)
    if (strcasecmp(arg, option.word) == 0) return &option;
  return nullptr;
}

// Whether every pin ends inside the address space: the unit is only known
// once all options are read.
bool pinsFit(const Command& command, const std::vector<const char*>& texts) {
  for (size_t i = 0; i < command.image.pins.size(); ++i) {
    const PinnedBlock& pin = command.image.pins[i];
    if (pin.address + (pin.bytes.size() - 1) / command.image.unit >
        0xFFFFFFFFu) {
      reportBadPin(texts[i]);
      return false;
    }
  }
  return true;
}

// Whether arg asks for the help or the version.
ScanStop answerWord(const char* arg) {
  if (strcasecmp(arg, "--help") == 0 || strcasecmp(arg, "-h") == 0)
    return ScanStop::kHelp;
  if (strcasecmp(arg, "--version") == 0) return ScanStop::kVersion;
  return ScanStop::kImage;
}

}  // namespace

void reportBadCheck(const char* text) {
  reportError(
      "bad crc '%s': expected KIND:ADDRESS[:START:END], KIND one of %s (add "
      "-be for big-endian), the value outside every region",
      text, checkKindNames());
}

bool isOptionWord(const char* arg) {
  Command scratch;
  return answerWord(arg) != ScanStop::kImage || applyWord(arg, &scratch) ||
         findValueOption(arg) != nullptr;
}

ScanStop findAnswer(int argc, char** argv) {
  for (int i = 1; i < argc && strcmp(argv[i], "--") != 0; ++i) {
    ScanStop answer = answerWord(argv[i]);
    if (answer != ScanStop::kImage) return answer;
    if (findValueOption(argv[i]) != nullptr) {
      ++i;  // Its value, whatever it looks like.
    } else if (argv[i][0] != '-' || argv[i][1] == '\0') {
      break;  // The image file name: options come before it.
    }
  }
  return ScanStop::kImage;
}

Scan scanArguments(int argc, char** argv, Command* command) {
  std::vector<const char*> pinTexts;
  Scan scan = {ScanStop::kNoImage, argc};
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (strcmp(arg, "--") == 0) {
      scan = {i + 1 < argc ? ScanStop::kImage : ScanStop::kNoImage, i + 1};
      break;
    }
    if (applyWord(arg, command)) continue;
    if (const ValueOption* option = findValueOption(arg)) {
      if (i + 1 == argc) {
        reportError("option '%s' needs a value", arg);
        return {ScanStop::kBadValue, i};
      }
      if (option->read == readPin) pinTexts.push_back(argv[i + 1]);
      if (!option->read(argv[i + 1], command))
        return {ScanStop::kBadValue, i + 1};
      ++i;
      continue;
    }
    if (strcmp(arg, "-") == 0) {
      command->image.toStandardOutput = true;
      scan = {ScanStop::kImage, i};
      break;
    }
    if (arg[0] == '-') return {ScanStop::kUnknownOption, i};
    scan = {ScanStop::kImage, i};
    break;
  }
  if (!pinsFit(*command, pinTexts)) return {ScanStop::kBadValue, scan.at};
  return scan;
}
