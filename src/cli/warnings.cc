// The warnings about an image that may not be what the user meant.
#include "cli/warnings.h"

#include <algorithm>

#include "cli/message.h"
#include "image/coverage.h"

namespace {

uint64_t lastOf(const ProfileBlock& block) {
  return uint64_t{block.address} + block.bytes.size() - 1;
}

// Whether a covered byte from first to last lies in the profile's
// security block.
bool inSecurityBlock(const ImageSpec& image, const Coverage& coverage,
                     uint64_t first, uint64_t last) {
  if (image.profile == nullptr) return false;
  const ProfileBlock& block = image.profile->blocks[0];
  return coversAny(coverage, std::max<uint64_t>(first, block.address),
                   std::min(last, lastOf(block)));
}

// The warnings about what the profile, the pins and the check values put
// where no range reaches, or into the security block.
void warnOfPlacements(const ImageSpec& image) {
  const Coverage coverage = coverageOf(image.pairs);
  const bool bytes = image.unit == 1;
  const char* family = image.profile ? image.profile->family : "";
  if (image.profile != nullptr && bytes) {
    const ProfileBlock& block = image.profile->blocks[0];
    if (!coversAny(coverage, block.address, lastOf(block)))
      reportWarning("no range covers the -%s %s 0x%08X..0x%08X", family,
                    block.name, block.address,
                    static_cast<uint32_t>(lastOf(block)));
  }
  for (const PinnedBlock& pin : image.pins) {
    const uint64_t last =
        uint64_t{pin.address} + (pin.bytes.size() - 1) / image.unit;
    if (!coversAny(coverage, pin.address, last)) {
      reportWarning("no range covers -pin '%s'", pin.text.c_str());
      continue;
    }
    bool changes = false;
    for (size_t k = 0; bytes && k < pin.bytes.size(); ++k) {
      const uint64_t at = pin.address + k;
      changes =
          changes ||
          (inSecurityBlock(image, coverage, at, at) &&
           pin.bytes[k] != image.profile->blocks[0]
                               .bytes[at - image.profile->blocks[0].address]);
    }
    if (changes)
      reportWarning(
          "-pin '%s' changes the -%s security block; the device may be "
          "secured",
          pin.text.c_str(), family);
  }
  for (const PlacedCheck& check : image.checks) {
    const uint64_t last = uint64_t{check.address} + valueBytes(*check.kind) - 1;
    if (!coversAny(coverage, check.address, last)) {
      reportWarning("no range covers -crc '%s'", check.text.c_str());
    } else if (inSecurityBlock(image, coverage, check.address, last)) {
      reportWarning(
          "-crc '%s' lies in the -%s security block; the device may be "
          "secured",
          check.text.c_str(), family);
    }
  }
}

}  // namespace

void warnOfSurprises(const ImageSpec& image) {
  for (size_t i : overlappingPairs(image.pairs)) {
    reportWarning("range 0x%08X..0x%08X overlaps an earlier range",
                  image.pairs[i].start, image.pairs[i].end);
  }
  if (image.unit == 2 && image.profile != nullptr) {
    reportWarning(
        "with -word, device profile blocks are matched by record address "
        "plus byte index, not at the profile's byte addresses");
  }
  warnOfPlacements(image);
  for (const AddressPair& pair : image.pairs) {
    if (pair.start > pair.end)
      reportWarning("empty range 0x%08X..0x%08X: its start lies above its end",
                    pair.start, pair.end);
  }
}
