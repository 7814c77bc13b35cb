// The answers to --help, --version and --profiles.  The names of the
// device profiles and of the check kinds come from their tables.
#include "cli/help.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "image/check_value.h"
#include "image/device_profile.h"

namespace {

// Where the descriptions of the options begin.
const size_t kColumn = 17;

// The columns text takes on a terminal: its UTF-8 characters ("×").
size_t columns(const std::string& text) {
  size_t n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}

// The option row: words, then the text from kColumn on, its words wrapped
// to lines of at most width columns.
std::string row(const std::string& words, const std::string& text,
                size_t width = 79) {
  std::string out = "  " + words;
  out.resize(kColumn < out.size() + 1 ? out.size() + 1 : kColumn, ' ');
  size_t line = out.size();  // Columns on the current line.
  bool first = true;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(at, end - at);
    if (!first && line + 1 + columns(word) > width) {
      out += "\n" + std::string(kColumn, ' ');
      line = kColumn;
    } else if (!first) {
      out += ' ';
      ++line;
    }
    out += word;
    line += columns(word);
    first = false;
    at = end + 1;
  }
  return out + "\n";
}

struct Row {
  std::string words, text;
  size_t width;  // Of the lines the text wraps to.
};

// The option rows of the help, in order.
std::vector<Row> helpRows() {
  std::string profiles;
  for (const DeviceProfile& profile : deviceProfiles())
    profiles +=
        std::string(profiles.empty() ? "" : ", ") + "-" + profile.family;
  return {
      {"-o FILE",
       "write the image to FILE as named, no suffix; - for standard "
       "output; .hex, .bin, .s19 and the like pick the format",
       79},
      {"-ihex, -bin", "write Intel HEX (IMAGEFILE.hex), raw binary (.bin)", 79},
      {"-titxt", "write TI-TXT (.txt), as MSP430 programmers take it", 79},
      {"-vmem", "write Verilog memory (.vmem), as $readmemh reads it", 79},
      {"-carray", "write a C array (.c) of the binary span, for unit tests",
       79},
      {"-width N",
       "-vmem and -carray: words of N bits, 8 (the default), 16 or 32, "
       "little-endian; 16-be or 32-be for big-endian",
       79},
      {"-word", "addresses count 16-bit words (DSC); S-records only", 79},
      {"-alt", "write IMAGEFILE_Alt.sx", 79},
      {"-seed N", "seed the random fill with N, not the clock", 79},
      {"-fill PATTERN",
       "random (the default), keyed (random by address: the same byte at "
       "the same address, whatever the ranges), or 1 to 16 hex bytes: FF, "
       "DEADBEEF",
       79},
      {"-threads N",
       "make a keyed fill on N threads (1 to 64); as many as there are "
       "cores, up to 8, by default",
       79},
      {"-pin A=HEX", "put 1 to 256 hex bytes at address A: -pin 0x40C=FE", 79},
      {"-PROFILE",
       "pin the bytes that leave a part open, keep out what it keeps, and "
       "judge the bytes it will hold: " +
           profiles + "; --profiles shows what each holds",
       72},
      {"-cfvx", "accepted; pins nothing", 79},
      {"-allow-brick",
       "write what locks the part for good (a pin, a check value, erased "
       "flash), with a warning",
       79},
      {"-align N",
       "widen every range to N-byte flash words (2 to 4096, a power of two; "
       "words with -word), the added bytes erased",
       79},
      {"-reclen N",
       "at most N data bytes a record: 1 to 250 (255 with -ihex or -titxt), "
       "even with -word; 32 by default (16 with -titxt); with -vmem or "
       "-carray, 1 to 255 words a line, 16 by default",
       76},
      {"-addrsize N", "S-records: the smallest address field, 2, 3 or 4 bytes",
       79},
      {"-entry A", "start address A: in the S7/S8/S9 record, or -ihex type 05",
       79},
      {"-count", "S-records: an S5/S6 record counting the data records", 79},
      {"-crlf", "end lines with CR LF", 79},
      {"-header TEXT",
       "S-records: TEXT (up to 252 bytes) as the S0 record's data; -vmem and "
       "-carray: as the first comment",
       79},
      {"-crc K:A[:S:E]",
       "put at A the check value K of the bytes S..E (else from the lowest "
       "one a range covers to A-1), K one of " +
           checkKindNames() + " or a -crc-model; K-be stores it big-endian",
       72},
      {"-crc-model M",
       "define a CRC kind NAME=WIDTH,POLY,INIT,REFIN,REFOUT,XOROUT", 79},
      {"-erased XX",
       "erased flash reads XX (FF by default): in check regions and the gaps "
       "of -bin and -carray",
       79},
      {"-no-sync", "do not flush the image to disk before it takes its name",
       79},
      {"-strict", "stop at any warning, writing nothing", 79},
      {"-q", "no Producing line and no progress; warnings still show", 79},
      {"-h, --help", "print this help and exit", 79},
      {"--profiles", "print the device profiles and exit", 79},
      {"--version", "print the version and exit", 79},
      {"--", "end of options: the next argument is IMAGEFILE", 79},
  };
}

std::string helpText() {
  std::string text =
      "Usage: Tollivex [OPTION]... [--] IMAGEFILE [STARTADDRESS "
      "ENDADDRESS]...\n"
      "  or:  Tollivex [OPTION]... -o FILE [--] [STARTADDRESS "
      "ENDADDRESS]...\n"
      "Write IMAGEFILE.sx, a placeholder flash image in S-record text (or "
      ".hex,\n"
      ".bin, .txt, .vmem, .c): data over each inclusive address range.\n"
      "IMAGEFILE - writes the image to standard output.\n"
      "\n"
      "Options come before IMAGEFILE; words match whole, in any case:\n";
  for (const Row& r : helpRows()) text += row(r.words, r.text, r.width);
  text +=
      "\n"
      "Addresses (and N, A) are decimal, 0x hexadecimal or 0 octal, from\n"
      "-2147483648 to 4294967295; negative ones count back from 2^32.  The "
      "fill\n"
      "is seeded with -seed, else SOURCE_DATE_EPOCH, else the clock.\n"
      "\n"
      "Exit status: 0 when the image is written; 1 on misuse (with the "
      "usage\n"
      "text), under -strict after a warning, on a bad SOURCE_DATE_EPOCH, or "
      "when\n"
      "the image cannot be written.\n";
  return text;
}

// A number with the digits of a value of width bytes.
std::string hex(uint32_t value, unsigned width) {
  char text[16];
  snprintf(text, sizeof text, "0x%0*X", static_cast<int>(2 * width), value);
  return text;
}

// Bytes as --profiles shows them: hex, a run of three or more alike as
// "FF×15".
std::string bytesText(const std::vector<uint8_t>& bytes) {
  std::string text;
  for (size_t i = 0; i < bytes.size();) {
    size_t j = i;
    while (j < bytes.size() && bytes[j] == bytes[i]) ++j;
    char byte[4];
    snprintf(byte, sizeof byte, "%02X", bytes[i]);
    const size_t n = j - i < 3 ? 1 : j - i;
    text += (text.empty() ? "" : " ") + std::string(byte) +
            (n > 1 ? "\u00D7" + std::to_string(n) : "");
    i += n;
  }
  return text;
}

// When a rule's field leaves the part open, and what it does otherwise.
std::string ruleText(const LockRule& rule, unsigned width) {
  const unsigned digits = width < 4 ? width : 4;
  const uint32_t all =
      digits == 4 ? 0xFFFFFFFFu : (uint32_t{1} << (8 * digits)) - 1;
  auto masked = [&](uint32_t mask, uint32_t want) {
    return mask == all
               ? "v == " + hex(want, digits)
               : "(v & " + hex(mask, digits) + ") == " + hex(want, digits);
  };
  std::string text = "safe when ";
  switch (rule.safe) {
    case LockRule::Safe::kMasked:
      text += masked(rule.mask, rule.want);
      break;
    case LockRule::Safe::kOneOf:
    case LockRule::Safe::kNoneOf:
      text += rule.safe == LockRule::Safe::kOneOf ? "v is " : "v is none of ";
      for (size_t i = 0; i < rule.values.size(); ++i)
        text += (i == 0                                 ? ""
                 : rule.safe == LockRule::Safe::kNoneOf ? ", "
                                                        : " or ") +
                hex(rule.values[i], digits);
      break;
    case LockRule::Safe::kAllErased:
      text += "every byte is 0xFF";
      break;
  }
  text += ", else it " + std::string(rule.effect);
  for (const LockRule::Special& special : rule.specials)
    text += "; when " + masked(special.mask, special.value) + ": it " +
            special.effect;
  if (rule.forGood == nullptr) return text;
  std::vector<std::string> when;
  if (rule.goodMask != 0) when.push_back(masked(rule.goodMask, rule.goodWant));
  for (size_t i = 0; i < rule.goodBytes.size(); ++i)
    when.push_back((i == 0 ? "the bytes from " + hex(rule.goodAt, 4) + " are "
                           : std::string("or ")) +
                   bytesText(rule.goodBytes[i]));
  if (rule.with != nullptr)
    when.push_back(std::string(rule.with) + " is unsafe too");
  std::string condition = when.empty() ? "always" : "when " + when[0];
  for (size_t i = 1; i < when.size(); ++i) condition += " and " + when[i];
  return text + "; for good " + condition + ": it " + rule.forGood;
}

std::string profilesText() {
  std::string text;
  for (const DeviceProfile& profile : deviceProfiles()) {
    const bool words = profile.words == DeviceProfile::Words::kNeeded;
    text += row(
        std::string("-") + profile.family,
        std::string(profile.parts) +
            (profile.note != nullptr ? std::string(" (") + profile.note + ")"
                                     : ""));
    for (const ProfileBlock& block : profile.blocks) {
      const uint32_t last = static_cast<uint32_t>(
          block.address + (block.bytes.size() - 1) / (words ? 2 : 1));
      text += row("  block", hex(block.address, 4) + ".." + hex(last, 4) + " " +
                                 block.name + (words ? " (words)" : "") + ": " +
                                 bytesText(block.bytes));
    }
    for (const KeptOutZone& zone : profile.zones)
      text += row("  keeps out", hex(zone.first, 4) + ".." + hex(zone.last, 4) +
                                     " (" + zone.what + ")");
    const std::vector<ProfileField>& fields = profile.fields;
    for (size_t i = 0; i < fields.size();) {
      // A run of like fields, one after the other, is one line.
      size_t j = i + 1;
      while (j < fields.size() && fields[j].name == fields[i].name &&
             fields[j].address == fields[j - 1].address + fields[i].width)
        ++j;
      const ProfileField& field = fields[i];
      std::string where = hex(field.address, 4);
      if (j > i + 1) where += ".." + hex(fields[j - 1].address, 4) + ", each";
      text += row("  field", where + " " + field.name + ", " +
                                 std::to_string(field.width) +
                                 (field.width == 1 ? " byte: " : " bytes: ") +
                                 ruleText(field.rule, field.width));
      i = j;
    }
    text += row("  source:", profile.source);
  }
  return text;
}

int print(const std::string& text) {
  if (fputs(text.c_str(), stdout) >= 0 && fflush(stdout) == 0) return 0;
  return errno;
}

}  // namespace

int printHelp() { return print(helpText()); }

int printVersion() { return print("Tollivex " TOLLIVEX_VERSION "\n"); }

int printProfiles() { return print(profilesText()); }

std::vector<std::string> helpWords() {
  std::vector<std::string> words;
  for (const Row& r : helpRows()) {
    if (r.words == "-PROFILE") {
      for (const DeviceProfile& profile : deviceProfiles())
        words.push_back(std::string("-") + profile.family);
      continue;
    }
    // The words before their values' names: "-ihex, -bin", "-seed N".
    for (size_t at = 0; at < r.words.size();) {
      size_t end = r.words.find_first_of(", ", at);
      if (end == std::string::npos) end = r.words.size();
      const std::string word = r.words.substr(at, end - at);
      if (!word.empty() && word[0] == '-') words.push_back(word);
      at = end + 1;
    }
  }
  return words;
}
