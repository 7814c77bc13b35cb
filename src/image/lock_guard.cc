// What the pins do to a device profile's fields.
#include "image/lock_guard.h"

#include "image/coverage.h"

namespace {

// The byte positions of a field: its bytes at its byte address, or at
// twice its word address in a word-addressed profile.
uint64_t positionOf(const ImageSpec& image, uint32_t address) {
  return uint64_t{address} * image.unit;
}

// The field's bytes as the image holds them: the blocks, each later one
// over the one before, then the pins in order.
std::vector<uint8_t> finalBytes(const ImageSpec& image,
                                const ProfileField& field) {
  const uint64_t first = positionOf(image, field.address);
  std::vector<uint8_t> bytes(field.width, 0xFF);
  auto over = [&](uint64_t at, const std::vector<uint8_t>& source) {
    for (size_t k = 0; k < source.size(); ++k)
      if (at + k >= first && at + k < first + field.width)
        bytes[at + k - first] = source[k];
  };
  for (const ProfileBlock& block : image.profile->blocks)
    over(positionOf(image, block.address), block.bytes);
  for (const PinnedBlock& pin : image.pins)
    over(positionOf(image, pin.address), pin.bytes);
  return bytes;
}

bool isSafe(const LockRule& rule, uint32_t v, const std::vector<uint8_t>& b) {
  switch (rule.safe) {
    case LockRule::Safe::kMasked:
      return (v & rule.mask) == rule.want;
    case LockRule::Safe::kOneOf:
    case LockRule::Safe::kNoneOf: {
      bool listed = false;
      for (uint32_t value : rule.values) listed = listed || v == value;
      return listed == (rule.safe == LockRule::Safe::kOneOf);
    }
    case LockRule::Safe::kAllErased:
      break;
  }
  for (uint8_t byte : b)
    if (byte != 0xFF) return false;
  return true;
}

// Whether pin has a byte in field.
bool overlaps(const ImageSpec& image, const PinnedBlock& pin,
              const ProfileField& field) {
  const uint64_t first = positionOf(image, field.address);
  const uint64_t at = positionOf(image, pin.address);
  return at < first + field.width && at + pin.bytes.size() > first;
}

}  // namespace

bool fieldsApply(const ImageSpec& image) {
  return image.profile != nullptr &&
         (image.unit == 1) !=
             (image.profile->words == DeviceProfile::Words::kNeeded);
}

std::vector<PinVerdict> judgePins(const ImageSpec& image) {
  std::vector<PinVerdict> verdicts(image.pins.size());
  const Coverage coverage = coverageOf(image.pairs);
  for (size_t i = 0; i < image.pins.size(); ++i) {
    const PinnedBlock& pin = image.pins[i];
    const uint64_t last =
        uint64_t{pin.address} + (pin.bytes.size() - 1) / image.unit;
    if (!coversAny(coverage, pin.address, last))
      verdicts[i].kind = PinVerdict::Kind::kUncovered;
  }
  if (!fieldsApply(image)) return verdicts;
  for (const ProfileField& field : image.profile->fields) {
    const uint64_t lastPosition =
        positionOf(image, field.address) + field.width - 1;
    if (!coversAll(coverage, field.address, lastPosition / image.unit))
      continue;
    size_t pin = image.pins.size();
    for (size_t i = 0; i < image.pins.size(); ++i)
      if (overlaps(image, image.pins[i], field)) pin = i;
    if (pin == image.pins.size()) continue;  // The profile alone is safe.
    const std::vector<uint8_t> bytes = finalBytes(image, field);
    uint32_t v = 0;
    for (size_t k = 0; k < bytes.size() && k < 4; ++k)
      v |= uint32_t{bytes[k]} << (8 * k);
    const LockRule& rule = field.rule;
    if (isSafe(rule, v, bytes)) continue;
    const bool forGood =
        rule.forGood != nullptr && (v & rule.goodMask) == rule.goodWant;
    PinVerdict& verdict = verdicts[pin];
    // The first for good wins, else the first to lock: in address order.
    if (verdict.kind == PinVerdict::Kind::kForGood ||
        (verdict.kind == PinVerdict::Kind::kUnsafe && !forGood))
      continue;
    verdict = {forGood ? PinVerdict::Kind::kForGood : PinVerdict::Kind::kUnsafe,
               &field, v};
  }
  return verdicts;
}
