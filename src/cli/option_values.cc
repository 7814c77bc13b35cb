// The values of the option words: each is read where its option stands.
#include "cli/option_values.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/address.h"
#include "cli/hex_bytes.h"
#include "cli/message.h"
#include "image/check_value.h"

namespace {

const char kNumberRange[] =
    "expected a number from -2147483648 to 4294967295 (decimal, 0x "
    "hexadecimal or 0 octal)";

// The most -crc values a line may give: each costs a pass's work per
// stretch and a table of its own.
constexpr size_t kMaxChecks = 64;

// Reads true, false, 1 or 0 into *value.
bool readTruth(const std::string& text, bool* value) {
  const bool yes = strcasecmp(text.c_str(), "true") == 0 || text == "1";
  const bool no = strcasecmp(text.c_str(), "false") == 0 || text == "0";
  *value = yes;
  return yes || no;
}

// Why a -crc-model text that splits into a name and six fields cannot
// define a kind; null when it can, with *kind filled in.
const char* modelProblem(const std::string& name,
                         const std::vector<std::string>& fields,
                         const std::vector<CheckKind>& models, CheckKind* kind,
                         std::string* reason) {
  CrcModel& model = kind->model;
  if (findCheckKind(name, {}) != nullptr) {
    *reason = name + " is a built-in kind";
    return reason->c_str();
  }
  if (findCheckKind(name, models) != nullptr) {
    *reason = name + " is a -crc-model already";
    return reason->c_str();
  }
  // NAME-be asks for NAME stored big-endian: a kind of that name could
  // never be asked for itself, nor NAME big-endian.
  if (name.size() >= 3 &&
      strcasecmp(name.c_str() + name.size() - 3, "-be") == 0)
    return "a name may not end in -be";
  if (!parseAddress(fields[0].c_str(), &model.width) ||
      (model.width != 8 && model.width != 16 && model.width != 32))
    return "WIDTH must be 8, 16 or 32";
  const struct {
    const char* what;
    const std::string& text;
    uint32_t* value;
  } numbers[] = {{"POLY", fields[1], &model.poly},
                 {"INIT", fields[2], &model.init},
                 {"XOROUT", fields[5], &model.xorOut}};
  const uint64_t most = (uint64_t{1} << model.width) - 1;
  for (const auto& number : numbers) {
    if (!parseAddress(number.text.c_str(), number.value)) return "";
    if (*number.value <= most) continue;
    char text[64];
    snprintf(text, sizeof text, "%s 0x%X does not fit %u bits", number.what,
             *number.value, model.width);
    *reason = text;
    return reason->c_str();
  }
  if (!readTruth(fields[3], &model.refIn) ||
      !readTruth(fields[4], &model.refOut))
    return "";
  kind->width = model.width;
  return nullptr;
}

}  // namespace

bool readSeed(const char* text, Command* command) {
  if (parseAddress(text, &command->image.seed)) {
    command->seedGiven = true;
    return true;
  }
  reportError("bad seed text '%s': %s", text, kNumberRange);
  return false;
}

bool readFill(const char* text, Command* command) {
  ImageSpec& image = command->image;
  image.keyed = strcasecmp(text, "keyed") == 0;
  if (image.keyed || strcasecmp(text, "random") == 0) {
    image.pattern.clear();
    return true;
  }
  if (parseHexBytes(text, 16, &image.pattern)) return true;
  reportError(
      "bad fill pattern '%s': expected random, keyed or 1 to 16 bytes as hex "
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

// Reads KIND[-be]:ADDRESS[:START:END]; the kind is looked up once the
// line's models are known, the layout once the ranges are.
bool readCheck(const char* text, Command* command) {
  if (command->image.checks.size() == kMaxChecks) {
    reportError("at most %zu -crc values may be given", kMaxChecks);
    return false;
  }
  std::vector<std::string> parts(1);
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == ':') {
      parts.emplace_back();
    } else {
      parts.back() += *p;
    }
  }
  PlacedCheck check;
  check.kindText = parts[0];
  check.text = text;
  check.regionGiven = parts.size() == 4;
  if (!parts[0].empty() && (parts.size() == 2 || check.regionGiven) &&
      parseAddress(parts[1].c_str(), &check.address) &&
      (!check.regionGiven || (parseAddress(parts[2].c_str(), &check.start) &&
                              parseAddress(parts[3].c_str(), &check.end)))) {
    command->image.checks.push_back(check);
    return true;
  }
  reportBadCheck(text);
  return false;
}

// Reads NAME=WIDTH,POLY,INIT,REFIN,REFOUT,XOROUT: a CRC kind of the
// catalogue's model, for any -crc of the line.  A text that does not split
// so, or whose fields cannot be read, gets the form; one that can be read
// but not used, the reason.
bool readCrcModel(const char* text, Command* command) {
  const std::string all = text;
  const size_t equals = all.find('=');
  std::vector<std::string> fields(1);
  for (size_t i = equals == std::string::npos ? all.size() : equals + 1;
       i < all.size(); ++i) {
    if (all[i] == ',') {
      fields.emplace_back();
    } else {
      fields.back() += all[i];
    }
  }
  CheckKind kind = {all.substr(0, equals), CheckKind::Algorithm::kCrc, 0, {}};
  const bool splits = equals != std::string::npos && fields.size() == 6 &&
                      !kind.name.empty() && kind.name.size() <= 32 &&
                      kind.name.find_first_not_of(
                          "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                          "0123456789-") == std::string::npos;
  std::string reason;
  const char* problem =
      splits ? modelProblem(kind.name, fields, command->image.models, &kind,
                            &reason)
             : "";
  if (problem == nullptr) {
    command->image.models.push_back(kind);
    return true;
  }
  if (*problem != '\0') {
    reportError("bad crc model '%s': %s", text, problem);
    return false;
  }
  reportError(
      "bad crc model '%s': expected NAME=WIDTH,POLY,INIT,REFIN,REFOUT,XOROUT, "
      "such as arc=16,0x8005,0,true,true,0",
      text);
  return false;
}

bool readErased(const char* text, Command* command) {
  std::vector<uint8_t> byte;
  if (parseHexBytes(text, 1, &byte)) {
    command->image.erased = byte[0];
    return true;
  }
  reportError(
      "bad erased value '%s': expected two hex digits, such as FF or 00", text);
  return false;
}

bool readOutput(const char* text, Command* command) {
  if (command->outputGiven) {
    reportError("option '-o' given twice");
    return false;
  }
  if (*text == '\0') {
    reportError("bad output name '': expected a file name or -");
    return false;
  }
  command->outputGiven = true;
  command->output = text;
  return true;
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

bool readThreads(const char* text, Command* command) {
  uint32_t threads;
  if (parseAddress(text, &threads) && threads >= 1 && threads <= 64) {
    command->image.threads = threads;
    return true;
  }
  reportError("bad thread count '%s': expected a number from 1 to 64", text);
  return false;
}

bool readAlign(const char* text, Command* command) {
  uint32_t align;
  if (parseAddress(text, &align) && align >= 2 && align <= 4096 &&
      (align & (align - 1)) == 0) {
    command->image.align = align;
    return true;
  }
  reportError("bad alignment '%s': expected a power of two from 2 to 4096",
              text);
  return false;
}

bool readWidth(const char* text, Command* command) {
  RecordShape& shape = command->image.shape;
  for (const unsigned width : {8u, 16u, 32u}) {
    const std::string word = std::to_string(width);
    shape.bigEndian =
        width != 8 && strcasecmp(text, (word + "-be").c_str()) == 0;
    if (shape.bigEndian || word == text) {
      shape.width = width;
      command->width = text;
      return true;
    }
  }
  reportError("bad width '%s': expected 8, 16, 32, 16-be or 32-be", text);
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

void reportBadCheck(const std::string& text) {
  reportError(
      "bad crc '%s': expected KIND:ADDRESS[:START:END], KIND one of %s (add "
      "-be for big-endian), the value outside its own region",
      text.c_str(), checkKindNames().c_str());
}

bool resolveCheckKinds(ImageSpec* image) {
  for (PlacedCheck& check : image->checks) {
    const std::string& text = check.kindText;
    const CheckKind* kind = findCheckKind(text, image->models);
    check.bigEndian = kind == nullptr && text.size() > 3 &&
                      strcasecmp(text.c_str() + text.size() - 3, "-be") == 0;
    if (check.bigEndian)
      kind = findCheckKind(text.substr(0, text.size() - 3), image->models);
    if (kind == nullptr) {
      reportBadCheck(check.text);
      return false;
    }
    check.kind = *kind;
  }
  return true;
}

void reportBadPin(const std::string& text) {
  reportError(
      "bad pin '%s': expected ADDRESS=HEXBYTES (1 to 256 bytes), such as "
      "0x40C=FE, inside the address space",
      text.c_str());
}
