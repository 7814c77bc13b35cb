// The option words, and what each does to a command.
#include "cli/options.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/address.h"
#include "cli/hex_bytes.h"
#include "cli/message.h"
#include "cli/output_name.h"

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

// The most -crc values a line may give: each costs a pass's work per
// stretch and a table of its own.
constexpr size_t kMaxChecks = 64;

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

// The length is judged once the format and the unit are known.
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

using Kind = Option::Kind;

Option flag(const char* word, void (*apply)(Command*), const char* help,
            unsigned width = 79) {
  return {Kind::kFlag,  word,  nullptr, help,
          width,        apply, nullptr, ImageFormat::kSRecord,
          Answer::kNone};
}

Option value(const char* word, const char* name,
             bool (*read)(const char*, Command*), const char* help,
             unsigned width = 79) {
  return {Kind::kValue,          word,         name, help, width, nullptr, read,
          ImageFormat::kSRecord, Answer::kNone};
}

Option format(ImageFormat format, const char* help) {
  return {Kind::kFormat, nullptr, nullptr, help,         79,
          nullptr,       nullptr, format,  Answer::kNone};
}

Option answer(const char* word, Answer answer, const char* help) {
  return {Kind::kAnswer,         word,  nullptr, help, 79, nullptr, nullptr,
          ImageFormat::kSRecord, answer};
}

std::vector<Option> makeTable() {
  return {
      value("-o", "FILE", readOutput,
            "write the image to FILE as named, no suffix; - for standard "
            "output; .hex, .bin, .s19 and the like pick the format"),
      format(ImageFormat::kIntelHex, nullptr),
      format(ImageFormat::kBinary,
             "write Intel HEX (IMAGEFILE.hex), raw binary (.bin)"),
      format(ImageFormat::kTiTxt,
             "write TI-TXT (.txt), as MSP430 programmers take it"),
      format(ImageFormat::kVmem,
             "write Verilog memory (.vmem), as $readmemh reads it"),
      format(ImageFormat::kCArray,
             "write a C array (.c) of the binary span, for unit tests"),
      value("-width", "N", readWidth,
            "-vmem and -carray: words of N bits, 8 (the default), 16 or 32, "
            "little-endian; 16-be or 32-be for big-endian"),
      flag(
          "-word", [](Command* c) { c->image.unit = 2; },
          "addresses count 16-bit words (DSC); S-records only"),
      flag(
          "-alt", [](Command* c) { c->alt = true; }, "write IMAGEFILE_Alt.sx"),
      value("-seed", "N", readSeed,
            "seed the random fill with N, not the clock"),
      value("-fill", "PATTERN", readFill,
            "random (the default), keyed (random by address: the same byte "
            "at the same address, whatever the ranges), or 1 to 16 hex "
            "bytes: FF, DEADBEEF"),
      value("-threads", "N", readThreads,
            "make a keyed fill on N threads (1 to 64); as many as there are "
            "cores, up to 8, by default"),
      value("-pin", "A=HEX", readPin,
            "put 1 to 256 hex bytes at address A: -pin 0x40C=FE"),
      {Kind::kProfiles, nullptr, nullptr,
       "pin the bytes that leave a part open, keep out what it keeps, and "
       "judge the bytes it will hold: {profiles}; --profiles shows what each "
       "holds",
       72, nullptr, nullptr, ImageFormat::kSRecord, Answer::kNone},
      // Accepted for compatibility; pins nothing, so an earlier profile
      // stays in force.
      flag(
          "-cfvx", [](Command* c) { c->profilesGiven.push_back("cfvx"); },
          "accepted; pins nothing"),
      flag(
          "-allow-brick", [](Command* c) { c->allowBrick = true; },
          "write what locks the part for good (a pin, a check value, "
          "erased flash), with a warning"),
      value("-align", "N", readAlign,
            "widen every range to N-byte flash words (2 to 4096, a power of "
            "two; words with -word), the added bytes erased"),
      value("-reclen", "N", readRecordLength,
            "at most N data bytes a record: 1 to 250 (255 with -ihex or "
            "-titxt), even with -word; 32 by default (16 with -titxt); with "
            "-vmem or -carray, 1 to 255 words a line, 16 by default",
            76),
      value("-addrsize", "N", readAddressSize,
            "S-records: the smallest address field, 2, 3 or 4 bytes"),
      value("-entry", "A", readEntry,
            "start address A: in the S7/S8/S9 record, or -ihex type 05"),
      flag(
          "-count", [](Command* c) { c->image.shape.count = true; },
          "S-records: an S5/S6 record counting the data records"),
      flag(
          "-crlf", [](Command* c) { c->image.shape.crlf = true; },
          "end lines with CR LF"),
      value("-header", "TEXT", readHeader,
            "S-records: TEXT (up to 252 bytes) as the S0 record's data; "
            "-vmem and -carray: as the first comment"),
      value("-crc", "K:A[:S:E]", readCheck,
            "put at A the check value K of the bytes S..E (else from the "
            "lowest one a range covers to A-1), K one of {kinds} or a "
            "-crc-model; K-be stores it big-endian",
            72),
      value("-crc-model", "M", readCrcModel,
            "define a CRC kind NAME=WIDTH,POLY,INIT,REFIN,REFOUT,XOROUT"),
      value("-erased", "XX", readErased,
            "erased flash reads XX (FF by default): in check regions and the "
            "gaps of -bin and -carray"),
      flag(
          "-no-sync", [](Command* c) { c->image.sync = false; },
          "do not flush the image to disk before it takes its name"),
      flag(
          "-strict", [](Command* c) { c->strict = true; },
          "stop at any warning, writing nothing"),
      flag(
          "-q", [](Command* c) { c->quiet = true; },
          "no Producing line and no progress; warnings still show"),
      answer("-h", Answer::kHelp, nullptr),
      answer("--help", Answer::kHelp, "print this help and exit"),
      answer("--profiles", Answer::kProfiles,
             "print the device profiles and exit"),
      answer("--version", Answer::kVersion, "print the version and exit"),
      {Kind::kEnd, "--", nullptr,
       "end of options: the next argument is IMAGEFILE", 79, nullptr, nullptr,
       ImageFormat::kSRecord, Answer::kNone},
  };
}

// Whether arg is the option's word, ignoring ASCII case.
bool named(const Option& option, const char* arg) {
  return option.word != nullptr && strcasecmp(arg, option.word) == 0;
}

}  // namespace

const std::vector<Option>& optionTable() {
  static const std::vector<Option> kTable = makeTable();
  return kTable;
}

std::string optionWord(const Option& option) {
  if (option.kind == Kind::kFormat) return formatWord(option.format);
  if (option.kind == Kind::kProfiles) return "-PROFILE";
  return option.word;
}

std::vector<std::string> optionWords() {
  std::vector<std::string> words;
  for (const Option& option : optionTable()) {
    if (option.kind == Kind::kEnd) continue;
    if (option.kind != Kind::kProfiles) {
      words.push_back(optionWord(option));
      continue;
    }
    for (const DeviceProfile& profile : deviceProfiles())
      words.push_back(std::string("-") + profile.family);
  }
  return words;
}

Answer answerWord(const char* arg) {
  for (const Option& option : optionTable())
    if (option.kind == Kind::kAnswer && named(option, arg))
      return option.answer;
  return Answer::kNone;
}

const Option* findValueOption(const char* arg) {
  for (const Option& option : optionTable())
    if (option.kind == Kind::kValue && named(option, arg)) return &option;
  return nullptr;
}

bool applyFlag(const char* arg, Command* command) {
  for (const Option& option : optionTable()) {
    if (option.kind == Kind::kFlag && named(option, arg)) {
      option.apply(command);
      return true;
    }
    if (option.kind == Kind::kFormat &&
        strcasecmp(arg, formatWord(option.format)) == 0) {
      command->formatsGiven.push_back(option.format);
      return true;
    }
  }
  const DeviceProfile* profile = findDeviceProfile(arg);
  if (profile == nullptr) return false;
  command->image.profile = profile;
  command->profilesGiven.push_back(profile->family);
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
