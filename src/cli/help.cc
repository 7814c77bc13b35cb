// The answers to --help, --version and --profiles.  The names of the
// device profiles and of the check kinds come from their tables.
#include "cli/help.h"

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/options.h"
#include "image/check_value.h"
#include "image/device_profile.h"
#include "io/system.h"

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

// text with the first name in it replaced by with.
std::string replaced(std::string text, const std::string& name,
                     const std::string& with) {
  const size_t at = text.find(name);
  return at == std::string::npos ? text : text.replace(at, name.size(), with);
}

// The option rows of the help, in order, from the option table: words
// that share a row are joined by ", ", and a value's name follows its word.
std::vector<Row> helpRows() {
  std::string profiles;
  for (const DeviceProfile& profile : deviceProfiles())
    profiles +=
        std::string(profiles.empty() ? "" : ", ") + "-" + profile.family;
  std::vector<Row> rows;
  std::string words;
  for (const Option& option : optionTable()) {
    words += (words.empty() ? "" : ", ") + optionWord(option) +
             (option.value != nullptr ? std::string(" ") + option.value : "");
    if (option.help == nullptr) continue;
    const std::string text =
        replaced(replaced(option.help, "{profiles}", profiles), "{kinds}",
                 checkKindNames());
    rows.push_back({words, text, option.width});
    words.clear();
  }
  return rows;
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

int print(const System& sys, const std::string& text) {
  return writeAll(sys, STDOUT_FILENO, false, text.data(), text.size(), 0);
}

}  // namespace

int printHelp(const System& sys) { return print(sys, helpText()); }

int printVersion(const System& sys) {
  return print(sys, "Tollivex " TOLLIVEX_VERSION "\n");
}

int printProfiles(const System& sys) { return print(sys, profilesText()); }
