// The option words, and what each does to a command.
#include "cli/options.h"

#include <strings.h>

#include <cstring>
#include <string>
#include <vector>

#include "cli/address.h"
#include "cli/hex_bytes.h"
#include "cli/message.h"

namespace {

const char kNumberRange[] =
    "expected a number from -2147483648 to 4294967295 (decimal, 0x "
    "hexadecimal or 0 octal)";

bool readSeed(const char* text, Command* command) {
  if (parseAddress(text, &command->image.seed)) {
    command->seedGiven = true;
    return true;
  }
  reportError("bad seed text '%s': %s", text, kNumberRange);
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

// Reads ADDRESS=HEXBYTES; whether the bytes fit the address space is known
// once -word is.
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
  PlacedCheck check = {nullptr, false, 0, false, 0, 0, text};
  std::string kind = parts[0];
  check.bigEndian =
      kind.size() > 3 && kind.compare(kind.size() - 3, 3, "-be") == 0;
  if (check.bigEndian) kind.resize(kind.size() - 3);
  check.kind = findCheckKind(kind.data(), kind.size());
  check.regionGiven = parts.size() == 4;
  if (check.kind != nullptr && (parts.size() == 2 || check.regionGiven) &&
      parseAddress(parts[1].c_str(), &check.address) &&
      (!check.regionGiven || (parseAddress(parts[2].c_str(), &check.start) &&
                              parseAddress(parts[3].c_str(), &check.end)))) {
    command->image.checks.push_back(check);
    return true;
  }
  reportBadCheck(text);
  return false;
}

// The length is judged once the format and the unit are known.
bool readRecordLength(const char* text, Command* command) {
  NumberValue& length = command->recordLength;
  length.given = true;
  length.number = parseAddress(text, &length.value);
  length.text = text;
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
  reportError("bad entry address '%s': %s", text, kNumberRange);
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

// The option words without a value, but the device profiles.
struct Flag {
  const char* word;
  void (*apply)(Command* command);
};
const Flag kFlags[] = {
    {"-word", [](Command* c) { c->image.unit = 2; }},
    {"-alt", [](Command* c) { c->alt = true; }},
    {"-ihex", [](Command* c) { c->intelHex = true; }},
    {"-bin", [](Command* c) { c->binary = true; }},
    {"-count", [](Command* c) { c->image.shape.count = true; }},
    {"-crlf", [](Command* c) { c->image.shape.crlf = true; }},
    {"-no-sync", [](Command* c) { c->image.sync = false; }},
    {"-allow-brick", [](Command* c) { c->allowBrick = true; }},
    // Accepted for compatibility; pins nothing, so an earlier profile stays
    // in force.
    {"-cfvx", [](Command*) {}},
};

}  // namespace

Answer answerWord(const char* arg) {
  if (strcasecmp(arg, "--help") == 0 || strcasecmp(arg, "-h") == 0)
    return Answer::kHelp;
  if (strcasecmp(arg, "--version") == 0) return Answer::kVersion;
  if (strcasecmp(arg, "--profiles") == 0) return Answer::kProfiles;
  return Answer::kNone;
}

const ValueOption* findValueOption(const char* arg) {
  for (const ValueOption& option : kValueOptions)
    if (strcasecmp(arg, option.word) == 0) return &option;
  return nullptr;
}

bool applyFlag(const char* arg, Command* command) {
  for (const Flag& flag : kFlags) {
    if (strcasecmp(arg, flag.word) == 0) {
      flag.apply(command);
      return true;
    }
  }
  const DeviceProfile* profile = findDeviceProfile(arg);
  if (profile == nullptr) return false;
  command->image.profile = profile;
  return true;
}

bool isOptionWord(const char* arg) {
  Command scratch;
  return answerWord(arg) != Answer::kNone || applyFlag(arg, &scratch) ||
         findValueOption(arg) != nullptr;
}

void reportBadCheck(const std::string& text) {
  reportError(
      "bad crc '%s': expected KIND:ADDRESS[:START:END], KIND one of %s (add "
      "-be for big-endian), the value outside every region",
      text.c_str(), checkKindNames().c_str());
}

void reportBadPin(const std::string& text) {
  reportError(
      "bad pin '%s': expected ADDRESS=HEXBYTES (1 to 256 bytes), such as "
      "0x40C=FE, inside the address space",
      text.c_str());
}
