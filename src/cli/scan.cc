// The argument scan: option words, then the image file argument.
#include "cli/scan.h"

#include <strings.h>

#include <cstring>

#include "cli/device_profile.h"
#include "srec/srec.h"

bool wordMode = false;
bool altName = false;

void resetSettings() {
  wordMode = false;
  altName = false;
  resetFixedRegions();
}

namespace {

// Option words other than the device profiles.  "-cfvx" is accepted for
// compatibility and pins nothing: an earlier profile stays in force.
struct OptionWord {
  const char* word;
  bool* flag;  // Set by the word; null for a word without effect.
};
const OptionWord kOptionWords[] = {
    {"-word", &wordMode},
    {"-alt", &altName},
    {"-cfvx", nullptr},
};

// Applies arg when it is an option word; returns false otherwise.
bool applyOption(const char* arg) {
  for (const OptionWord& option : kOptionWords) {
    if (strcasecmp(arg, option.word) != 0) continue;
    if (option.flag != nullptr) *option.flag = true;
    return true;
  }
  const DeviceProfile* profile = findDeviceProfile(arg);
  if (profile == nullptr) return false;
  applyDeviceProfile(*profile);
  return true;
}

}  // namespace

Scan scanArguments(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (strcmp(arg, "--") == 0)
      return {i + 1 < argc ? ScanStop::kImage : ScanStop::kNoImage, i + 1};
    if (strcasecmp(arg, "--help") == 0 || strcasecmp(arg, "-h") == 0)
      return {ScanStop::kHelp, i};
    if (strcasecmp(arg, "--version") == 0) return {ScanStop::kVersion, i};
    if (applyOption(arg)) continue;
    return {arg[0] == '-' ? ScanStop::kUnknownOption : ScanStop::kImage, i};
  }
  return {ScanStop::kNoImage, argc};
}
