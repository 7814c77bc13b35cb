// Deriving the output file name from the image file argument.
#include "cli/output_name.h"

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
  }
  return name;
}
