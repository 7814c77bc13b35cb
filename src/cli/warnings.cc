// The warnings about an image that may not be what the user meant.
#include "cli/warnings.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "cli/message.h"
#include "cli/output_name.h"
#include "image/coverage.h"
#include "image/kept_out.h"
#include "image/lock_guard.h"
#include "io/file_kind.h"

namespace {

// Reports a warning and counts it.
__attribute__((format(printf, 2, 3))) void warn(int* count, const char* format,
                                                ...) {
  va_list args;
  va_start(args, format);
  char text[1024];
  // The widest warning names a few words and addresses: a pin's text is
  // what grows, and it is cut short here only past a thousand bytes.
  // The analyzer takes a va_list handed on to a function for uninitialized.
  // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  reportWarning("%s", text);
  ++*count;
}

// A block's addresses: words, in a word-addressed profile.
uint64_t lastOf(const ProfileBlock& block, unsigned unit) {
  return uint64_t{block.address} + (block.bytes.size() - 1) / unit;
}

// Whether a block holds a field: a value there may lock the part.
bool guarded(const DeviceProfile& profile, const ProfileBlock& block) {
  for (const ProfileField& field : profile.fields)
    if (field.address >= block.address && field.address <= lastOf(block, 1))
      return true;
  return false;
}

// The profile's blocks when no range covers a byte of them or of its
// zones, and the zones a range covers.  A zone left alone is the point of
// its profile, and says nothing.
void warnOfTheProfile(const DeviceProfile& profile, unsigned unit,
                      const Coverage& coverage, int* count) {
  bool covered = false;
  for (const ProfileBlock& block : profile.blocks)
    covered =
        covered || coversAny(coverage, block.address, lastOf(block, unit));
  for (const KeptOutZone& zone : profile.zones)
    covered = covered || coversAny(coverage, zone.first, zone.last);
  if (!covered && !profile.blocks.empty()) {
    const ProfileBlock& block = profile.blocks[0];
    warn(count, "no range covers the -%s %s 0x%08X..0x%08X", profile.family,
         block.name, block.address, static_cast<uint32_t>(lastOf(block, unit)));
  }
  for (const KeptOutZone& zone : profile.zones) {
    if (coversAny(coverage, zone.first, zone.last))
      warn(count, "-%s keeps 0x%08X..0x%08X out of the image (%s)",
           profile.family, zone.first, zone.last, zone.what);
  }
}

// The pins no range covers and the fields that would lock the part, the
// pins' in command-line order, then the other sources'.
void warnOfTheFields(const ImageSpec& image,
                     const std::vector<FieldVerdict>& verdicts, int* count) {
  const std::vector<size_t> uncovered = uncoveredPins(image);
  size_t u = 0;
  auto uncoveredUpTo = [&](size_t pin) {
    for (; u < uncovered.size() && uncovered[u] < pin; ++u)
      warn(count, "no range covers -pin '%s'",
           image.pins[uncovered[u]].text.c_str());
  };
  for (const FieldVerdict& verdict : verdicts) {
    uncoveredUpTo(verdict.source.kind == ByteSource::Kind::kPin
                      ? verdict.source.index
                      : image.pins.size());
    warn(count, "%s", fieldVerdictText(image, verdict).c_str());
  }
  uncoveredUpTo(image.pins.size());
}

// The warnings about what the profile, the pins and the check values put
// where no range reaches, or where they may lock the part.
void warnOfPlacements(const ImageSpec& image,
                      const std::vector<FieldVerdict>& verdicts, int* count) {
  const Coverage coverage = coverageOf(image.pairs);
  if (image.profile != nullptr && fieldsApply(image))
    warnOfTheProfile(*image.profile, image.unit, coverage, count);
  warnOfTheFields(image, verdicts, count);
  for (const PlacedCheck& check : image.checks) {
    const uint64_t last = uint64_t{check.address} + valueBytes(check.kind) - 1;
    if (!coversAny(coverage, check.address, last)) {
      warn(count, "no range covers -crc '%s'", check.text.c_str());
      continue;
    }
    if (image.profile == nullptr) continue;
    for (const ProfileBlock& block : image.profile->blocks) {
      if (!guarded(*image.profile, block) ||
          !coversAny(coverage, std::max<uint64_t>(check.address, block.address),
                     std::min(last, lastOf(block, 1))))
        continue;
      warn(count, "-crc '%s' lies in the -%s %s; the device may be secured",
           check.text.c_str(), image.profile->family, block.name);
      break;
    }
  }
}

// The words a message names a source of bytes by.
std::string sourceText(const ImageSpec& image, const ByteSource& source) {
  char range[48];
  switch (source.kind) {
    case ByteSource::Kind::kPin:
      return "-pin '" + image.pins[source.index].text + "'";
    case ByteSource::Kind::kCheck:
      return "-crc '" + image.checks[source.index].text + "'";
    case ByteSource::Kind::kGap:
      return spansImage(image.format)
                 ? std::string("the ") + formatWord(image.format) + " gap fill"
                 : std::string("the -align padding");
    case ByteSource::Kind::kErased:
      if (source.first == source.last)
        snprintf(range, sizeof range, "0x%08X", source.first);
      else
        snprintf(range, sizeof range, "0x%08X..0x%08X", source.first,
                 source.last);
      return std::string("the erased value where no range covers ") + range;
    case ByteSource::Kind::kFill:
      return "the fill";
    case ByteSource::Kind::kBlock:
      break;
  }
  return std::string("the -") + image.profile->family + " block";
}

}  // namespace

std::string fieldVerdictText(const ImageSpec& image,
                             const FieldVerdict& verdict) {
  const ProfileField& field = *verdict.field;
  char value[32] = "other bytes than 0xFF";
  if (field.width <= 4) {
    snprintf(value, sizeof value, "0x%0*X", static_cast<int>(2 * field.width),
             verdict.value);
  }
  char head[160];
  snprintf(head, sizeof head, " sets %s (0x%08X) of -%s to %s: it ", field.name,
           field.address, image.profile->family, value);
  const std::string text =
      sourceText(image, verdict.source) + head + verdict.effect;
  return verdict.forGood ? text + "; add -allow-brick to write it anyway"
                         : text;
}

bool reportForGood(const ImageSpec& image,
                   const std::vector<FieldVerdict>& verdicts) {
  for (const FieldVerdict& verdict : verdicts) {
    if (!verdict.forGood) continue;
    reportError("%s", fieldVerdictText(image, verdict).c_str());
    return true;
  }
  return false;
}

namespace {

// An image file argument that names a device, a FIFO or a socket: the
// image goes beside it, under a name with a suffix.
void warnOfASpecialName(const Command& command, const System& sys, int* count) {
  if (command.outputGiven || command.image.toStandardOutput) return;
  const char* what = nullptr;
  const FileKind kind = fileKindAt(sys, command.imageFile);
  if (kind == FileKind::kCharacterDevice || kind == FileKind::kBlockDevice)
    what = "device";
  if (kind == FileKind::kFifo) what = "FIFO";
  if (kind == FileKind::kSocket) what = "socket";
  if (what == nullptr) return;
  const std::string& name = command.imageFile;
  // No image can go onto a block device, so no hint says it could.
  const std::string hint =
      kind == FileKind::kBlockDevice ? "" : " (-o " + name + " writes to it)";
  warn(count, "%s is a %s, not a file; the image goes to %s%s", name.c_str(),
       what, command.image.name.c_str(), hint.c_str());
}

// A format word that an -o name's extension contradicts: a loader that
// trusts the extension would misread the image.
void warnOfTheExtension(const Command& command, int* count) {
  ImageFormat named;
  if (!command.outputGiven || command.formatsGiven.empty() ||
      !formatOfName(command.output, &named) || named == command.image.format)
    return;
  warn(count, "%s writes %s into %s", formatWord(command.image.format),
       formatName(command.image.format), command.output.c_str());
}

// A profile word after another profile: one applies.
void warnOfProfilesGiven(const Command& command, int* count) {
  const std::string* applied = nullptr;
  for (const std::string& family : command.profilesGiven) {
    if (family == "cfvx") {
      warn(count, "-cfvx pins no bytes");
      continue;
    }
    if (applied != nullptr && *applied != family)
      warn(count, "-%s replaces -%s; one device profile applies",
           family.c_str(), applied->c_str());
    applied = &family;
  }
}

}  // namespace

int warnOfSurprises(const Command& command, const System& sys) {
  int warnings = 0, *count = &warnings;
  const ImageSpec& image = command.image;
  // The settled fields were judged with the command line, and what locks
  // for good there refused; the late ones can be refused only now.
  const std::vector<FieldVerdict> late =
      oneForEachSource(judgeFields(image, Judged::kLate));
  if (!command.allowBrick && reportForGood(image, late)) return -1;
  std::vector<FieldVerdict> verdicts = judgeFields(image, Judged::kSettled);
  verdicts.insert(verdicts.end(), late.begin(), late.end());
  warnOfASpecialName(command, sys, count);
  warnOfTheExtension(command, count);
  for (size_t i : overlappingPairs(image.pairs)) {
    warn(count, "range 0x%08X..0x%08X overlaps an earlier range",
         image.pairs[i].start, image.pairs[i].end);
  }
  if (image.unit == 2 && image.profile != nullptr &&
      image.profile->words == DeviceProfile::Words::kByRecord) {
    warn(count,
         "with -word, device profile blocks are matched by record address "
         "plus byte index, not at the profile's byte addresses");
  }
  warnOfProfilesGiven(command, count);
  // Only a profile has fields to judge; said here for the analyzer, which
  // cannot follow that through judgeFields.
  if (image.profile == nullptr) verdicts.clear();
  warnOfPlacements(image, oneForEachSource(verdicts), count);
  for (const AddressPair& pair : image.pairs) {
    if (pair.start > pair.end)
      warn(count, "empty range 0x%08X..0x%08X: its start lies above its end",
           pair.start, pair.end);
  }
  if (image.pairs.empty())
    warn(count, "no address ranges given; the image holds no data");
  return warnings;
}
