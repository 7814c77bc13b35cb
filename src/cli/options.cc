// The option table: every option word, what it does, and its --help row.
#include "cli/options.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/option_values.h"
#include "cli/output_name.h"

namespace {

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
