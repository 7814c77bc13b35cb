// The argument scan: option words, then the image file argument.
#include "cli/scan.h"

#include <strings.h>

#include "srec/srec.h"

bool wordMode = false;
bool altName = false;

void resetSettings() {
  wordMode = false;
  altName = false;
  resetFixedRegions();
}

namespace {

// Applies arg when it is an option word; returns false otherwise.
bool applyOption(const char* arg) {
  if (strcasecmp(arg, "-word") == 0) {
    wordMode = true;
  } else if (strcasecmp(arg, "-alt") == 0) {
    altName = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

int scanArguments(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!applyOption(argv[i])) return i;
  }
  return 0;
}
