// The formats' words, suffixes and names, and the output file name.
#include "cli/output_name.h"

#include <strings.h>

namespace {

struct FormatWords {
  ImageFormat format;
  const char* word;    // The option word; empty for the default.
  const char* suffix;  // What IMAGEFILE gets.
  const char* name;    // In messages.
};
const FormatWords kFormats[] = {
    {ImageFormat::kSRecord, "", ".sx", "S-records"},
    {ImageFormat::kIntelHex, "-ihex", ".hex", "Intel HEX"},
    {ImageFormat::kBinary, "-bin", ".bin", "raw binary"},
    {ImageFormat::kTiTxt, "-titxt", ".txt", "TI-TXT"},
    {ImageFormat::kVmem, "-vmem", ".vmem", "Verilog memory"},
    {ImageFormat::kCArray, "-carray", ".c", "a C array"},
};

const FormatWords& wordsOf(ImageFormat format) {
  for (const FormatWords& words : kFormats)
    if (words.format == format) return words;
  return kFormats[0];
}

}  // namespace

std::string outputName(const char* imageFile, bool alt, ImageFormat format) {
  return std::string(imageFile) + (alt ? "_Alt" : "") + wordsOf(format).suffix;
}

bool formatOfName(const std::string& name, ImageFormat* format) {
  // The extension of the last part, after a dot that does not start it:
  // ".hex" alone is a hidden file's name, not an extension.
  const size_t base = name.rfind('/') + 1;  // 0 when there is no '/'.
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot <= base) return false;
  const char* extension = name.c_str() + dot + 1;
  const struct {
    const char* extension;
    ImageFormat format;
  } kExtensions[] = {
      {"hex", ImageFormat::kIntelHex}, {"ihex", ImageFormat::kIntelHex},
      {"ihx", ImageFormat::kIntelHex}, {"bin", ImageFormat::kBinary},
      {"s19", ImageFormat::kSRecord},  {"s28", ImageFormat::kSRecord},
      {"s37", ImageFormat::kSRecord},  {"srec", ImageFormat::kSRecord},
      {"sx", ImageFormat::kSRecord},   {"mot", ImageFormat::kSRecord},
      {"txt", ImageFormat::kTiTxt},    {"vmem", ImageFormat::kVmem},
      {"mem", ImageFormat::kVmem},     {"c", ImageFormat::kCArray},
  };
  for (const auto& known : kExtensions) {
    if (strcasecmp(extension, known.extension) != 0) continue;
    *format = known.format;
    return true;
  }
  return false;
}

const char* formatName(ImageFormat format) { return wordsOf(format).name; }

const char* formatWord(ImageFormat format) { return wordsOf(format).word; }
