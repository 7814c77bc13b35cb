// Deriving the output file name from the image file argument.
#include "cli/output_name.h"

std::string outputName(const char* imageFile, bool alt) {
  std::string name(imageFile);
  if (alt) name += "_Alt";
  return name + ".sx";
}
