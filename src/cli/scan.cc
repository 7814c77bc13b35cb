// The argument scan: option words and their values, then the image file
// argument.
#include "cli/scan.h"

#include <cstring>

#include "cli/address.h"
#include "cli/message.h"
#include "cli/option_values.h"

namespace {

// Whether every pin ends inside the address space: the unit is only known
// once all options are read.
bool pinsFit(const ImageSpec& image) {
  for (const PinnedBlock& pin : image.pins) {
    if (pin.address + (pin.bytes.size() - 1) / image.unit > 0xFFFFFFFFu) {
      reportBadPin(pin.text);
      return false;
    }
  }
  return true;
}

}  // namespace

Answer findAnswer(int argc, char** argv) {
  for (int i = 1; i < argc && strcmp(argv[i], "--") != 0; ++i) {
    Answer answer = answerWord(argv[i]);
    if (answer != Answer::kNone) return answer;
    if (findValueOption(argv[i]) != nullptr) {
      ++i;  // Its value, whatever it looks like.
    } else if (argv[i][0] != '-' || argv[i][1] == '\0') {
      break;  // The image file name: options come before it.
    }
  }
  return Answer::kNone;
}

Scan scanArguments(int argc, char** argv, Command* command) {
  Scan scan = {ScanStop::kNoImage, argc};
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    uint32_t address;
    if (command->outputGiven &&
        (strcmp(arg, "--") == 0 || !isOptionWord(arg))) {
      // The address texts begin here, or after "--"; a text that begins
      // with '-' and reads as no number is an option mistyped.
      if (arg[0] == '-' && arg[1] != '\0' && strcmp(arg, "--") != 0 &&
          !parseAddress(arg, &address))
        return {ScanStop::kUnknownOption, i};
      scan = {ScanStop::kImage, strcmp(arg, "--") == 0 ? i : i - 1};
      break;
    }
    if (strcmp(arg, "--") == 0) {
      scan = {i + 1 < argc ? ScanStop::kImage : ScanStop::kNoImage, i + 1};
      break;
    }
    if (applyFlag(arg, command)) continue;
    if (const Option* option = findValueOption(arg)) {
      if (i + 1 == argc) {
        reportError("option '%s' needs a value", arg);
        return {ScanStop::kBadValue, i};
      }
      if (!option->read(argv[i + 1], command))
        return {ScanStop::kBadValue, i + 1};
      ++i;
      continue;
    }
    if (strcmp(arg, "-") == 0) {
      command->image.toStandardOutput = true;
      scan = {ScanStop::kImage, i};
      break;
    }
    if (arg[0] == '-') return {ScanStop::kUnknownOption, i};
    scan = {ScanStop::kImage, i};
    break;
  }
  if (command->outputGiven && scan.stop == ScanStop::kNoImage)
    scan = {ScanStop::kImage, argc - 1};  // No address text at all.
  if (!pinsFit(command->image) || !resolveCheckKinds(&command->image))
    return {ScanStop::kBadValue, scan.at};
  return scan;
}
