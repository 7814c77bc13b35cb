// Deriving the output file name from the image file argument.
#include "cli/output_name.h"

#include <strings.h>

std::string outputName(const char* imageFile, bool alt, ImageFormat format) {
  std::string name(imageFile);
  if (alt) name += "_Alt";
  switch (format) {
    case ImageFormat::kSRecord:
      return name + ".sx";
    case ImageFormat::kIntelHex:
      return name + ".hex";
    case ImageFormat::kBinary:
      return name + ".bin";
    case ImageFormat::kTiTxt:
      return name + ".txt";
  }
  return name;
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
      {"txt", ImageFormat::kTiTxt},
  };
  for (const auto& known : kExtensions) {
    if (strcasecmp(extension, known.extension) != 0) continue;
    *format = known.format;
    return true;
  }
  return false;
}

const char* formatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::kSRecord:
      return "S-records";
    case ImageFormat::kIntelHex:
      return "Intel HEX";
    case ImageFormat::kTiTxt:
      return "TI-TXT";
    case ImageFormat::kBinary:
      break;
  }
  return "raw binary";
}
