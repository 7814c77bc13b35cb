// Deriving the output file name from the image file argument.
#include "cli/output_name.h"

#include <cstring>

std::string outputName(const char* imageFile, bool alt) {
  std::string name(imageFile, strnlen(imageFile, 1990));
  if (alt) name += "_Alt";
  return name + ".sx";
}
