// The judge over the bytes a part will hold.
#include "image/lock_guard.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <tuple>

#include "image/ahead_pass.h"
#include "image/coverage.h"
#include "image/fill.h"
#include "image/kept_out.h"
#include "image/keyed_fill.h"

namespace {

using Kind = ByteSource::Kind;

// A byte the part will hold, and where it comes from.
struct HeldByte {
  uint8_t value;
  ByteSource source;
  bool late;  // Fill or a check value, known only once the seed and the
              // check values are.
};

// What the image's bytes are made of, gathered once for all the fields.
struct Holdings {
  const ImageSpec* image;
  Coverage coverage;
  // A binary image or C array writes every byte from low to high: the
  // gaps too.
  bool binary = false;
  uint32_t low = 0, high = 0;
  Coverage pads;      // What -align adds.
  bool late = false;  // The fill and the check values are known.
  std::vector<CheckValue> values;
};

// The draw of the fill that the byte at position takes: a later range over
// an earlier one wins, as it does in the part.
uint64_t drawAt(const ImageSpec& image, uint32_t address, uint64_t position) {
  uint64_t before = 0, draw = 0;
  for (const AddressPair& pair : image.pairs) {
    if (pair.start <= address && address <= pair.end)
      draw = before + (position - uint64_t{pair.start} * image.unit);
    before += pairBytes(pair, image.unit);
  }
  return draw;
}

uint8_t fillAt(const ImageSpec& image, uint32_t address, uint64_t position) {
  if (!image.pattern.empty())
    return image.pattern[position % image.pattern.size()];
  if (image.keyed) return keyedByte(image.seed, position);
  auto fill = std::make_unique<FillGenerator>();
  seedFill(fill.get(), image.seed);
  skipFill(fill.get(), drawAt(image, address, position));
  uint8_t byte;
  fillBytes(fill.get(), &byte, 1);
  return byte;
}

// The byte of the last block that holds position, if one does.
bool blockByte(const ImageSpec& image, uint64_t position, uint8_t* byte) {
  const std::vector<ProfileBlock>& blocks = image.profile->blocks;
  for (auto block = blocks.rbegin(); block != blocks.rend(); ++block) {
    const uint64_t first = uint64_t{block->address} * image.unit;
    if (position >= first && position - first < block->bytes.size()) {
      *byte = block->bytes[position - first];
      return true;
    }
  }
  return false;
}

HeldByte heldAt(const Holdings& h, uint64_t position) {
  const ImageSpec& image = *h.image;
  const auto address = static_cast<uint32_t>(position / image.unit);
  HeldByte held = {image.erased, {}, false};
  const bool keptOut = zoneWithin(image, address, address) != nullptr;
  if (!coversAny(h.coverage, address, address) || keptOut) {
    // The gaps of a binary image and the padding of -align hold the erased
    // value, but a block's bytes where one lies.
    const bool padded = !keptOut && coversAny(h.pads, address, address);
    if (!padded && (!h.binary || address < h.low || address > h.high))
      return held;
    held.source.kind =
        blockByte(image, position, &held.value) ? Kind::kBlock : Kind::kGap;
    return held;
  }
  for (size_t i = 0; i < image.checks.size(); ++i) {
    const PlacedCheck& check = image.checks[i];
    if (address < check.address ||
        address - check.address >= valueBytes(check.kind))
      continue;
    const uint8_t value =
        h.late ? h.values[i].bytes[address - check.address] : 0;
    return {value, {Kind::kCheck, i}, true};
  }
  for (size_t i = image.pins.size(); i-- > 0;) {
    const PinnedBlock& pin = image.pins[i];
    const uint64_t first = uint64_t{pin.address} * image.unit;
    if (position >= first && position - first < pin.bytes.size())
      return {pin.bytes[position - first], {Kind::kPin, i}, false};
  }
  if (blockByte(image, position, &held.value)) {
    held.source.kind = Kind::kBlock;
    return held;
  }
  held.value = h.late ? fillAt(image, address, position) : 0;
  held.source.kind = Kind::kFill;
  held.late = true;
  return held;
}

// The count bytes the part holds from address (the profile's) on.
std::vector<HeldByte> heldFrom(const Holdings& h, uint32_t address,
                               size_t count) {
  std::vector<HeldByte> bytes;
  const uint64_t first = uint64_t{address} * h.image->unit;
  for (size_t k = 0; k < count; ++k) bytes.push_back(heldAt(h, first + k));
  return bytes;
}

uint32_t littleEndian(const std::vector<HeldByte>& bytes) {
  uint32_t v = 0;
  for (size_t k = 0; k < bytes.size() && k < 4; ++k)
    v |= uint32_t{bytes[k].value} << (8 * k);
  return v;
}

bool isSafe(const LockRule& rule, const std::vector<HeldByte>& bytes) {
  const uint32_t v = littleEndian(bytes);
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
  for (const HeldByte& byte : bytes)
    if (byte.value != 0xFF) return false;
  return true;
}

// The other bytes that decide whether an unsafe field locks for good: the
// window of its for-good bytes, and the field it locks for good with.
struct Partners {
  std::vector<HeldByte> window;
  const ProfileField* with = nullptr;
  std::vector<HeldByte> withBytes;
};

Partners partnersOf(const Holdings& h, const ProfileField& field) {
  Partners p;
  const LockRule& rule = field.rule;
  if (!rule.goodBytes.empty())
    p.window = heldFrom(h, rule.goodAt, rule.goodBytes[0].size());
  if (rule.with == nullptr) return p;
  for (const ProfileField& other : h.image->profile->fields) {
    if (strcmp(other.name, rule.with) != 0) continue;
    p.with = &other;
    p.withBytes = heldFrom(h, other.address, other.width);
  }
  return p;
}

bool forGood(const LockRule& rule, uint32_t v, const Partners& p) {
  if (rule.forGood == nullptr || (v & rule.goodMask) != rule.goodWant)
    return false;
  if (!rule.goodBytes.empty()) {
    bool matched = false;
    for (const std::vector<uint8_t>& want : rule.goodBytes) {
      bool same = true;
      for (size_t k = 0; k < want.size(); ++k)
        same = same && p.window[k].value == want[k];
      matched = matched || same;
    }
    if (!matched) return false;
  }
  return p.with == nullptr || !isSafe(p.with->rule, p.withBytes);
}

// The source a message names for bytes: the first kind, the last pin, the
// first check, the first run no range covers.
ByteSource sourceOf(const ImageSpec& image, const std::vector<HeldByte>& bytes,
                    uint32_t address) {
  ByteSource source = bytes[0].source;
  size_t run = bytes.size();  // The first erased byte.
  for (size_t k = 0; k < bytes.size(); ++k) {
    const ByteSource& s = bytes[k].source;
    if (s.kind == Kind::kErased && run == bytes.size()) run = k;
    if (s.kind < source.kind ||
        (s.kind == source.kind && s.kind == Kind::kPin &&
         s.index > source.index))
      source = s;
  }
  if (source.kind == Kind::kErased) {
    size_t end = run;
    while (end < bytes.size() && bytes[end].source.kind == Kind::kErased) ++end;
    source.first = address + static_cast<uint32_t>(run / image.unit);
    source.last = address + static_cast<uint32_t>((end - 1) / image.unit);
  }
  return source;
}

bool anyLate(const std::vector<HeldByte>& bytes) {
  for (const HeldByte& byte : bytes)
    if (byte.late) return true;
  return false;
}

bool anyWritten(const std::vector<HeldByte>& bytes) {
  for (const HeldByte& byte : bytes)
    if (byte.source.kind != Kind::kErased) return true;
  return false;
}

// Whether the field's verdict waits for the fill or the check values.
bool judgedLate(const Holdings& h, const ProfileField& field,
                const std::vector<HeldByte>& bytes) {
  const Partners p = partnersOf(h, field);
  return anyLate(bytes) || anyLate(p.window) || anyLate(p.withBytes);
}

Holdings holdingsOf(const ImageSpec& image) {
  Holdings h;
  h.image = &image;
  h.coverage = coverageOf(image.pairs);
  std::vector<AddressPair> pads;
  for (const std::vector<AddressPair>& some : image.pads)
    pads.insert(pads.end(), some.begin(), some.end());
  h.pads = coverageOf(pads);
  h.binary = spansImage(image.format) && imageSpan(image, &h.low, &h.high);
  return h;
}

}  // namespace

bool fieldsApply(const ImageSpec& image) {
  return image.profile != nullptr &&
         (image.unit == 1) !=
             (image.profile->words == DeviceProfile::Words::kNeeded);
}

std::vector<FieldVerdict> judgeFields(const ImageSpec& image, Judged judged) {
  std::vector<FieldVerdict> verdicts;
  if (!fieldsApply(image)) return verdicts;
  Holdings h = holdingsOf(image);
  const std::vector<ProfileField>& fields = image.profile->fields;
  std::vector<bool> judge(fields.size(), false);
  bool anyJudged = false;
  for (size_t i = 0; i < fields.size(); ++i) {
    const std::vector<HeldByte> bytes =
        heldFrom(h, fields[i].address, fields[i].width);
    judge[i] = anyWritten(bytes) &&
               judgedLate(h, fields[i], bytes) == (judged == Judged::kLate);
    anyJudged = anyJudged || judge[i];
  }
  if (!anyJudged) return verdicts;
  if (judged == Judged::kLate) {
    workOutEvery(image, &h.values);
    h.late = true;
  }
  for (size_t i = 0; i < fields.size(); ++i) {
    if (!judge[i]) continue;
    const ProfileField& field = fields[i];
    const std::vector<HeldByte> bytes = heldFrom(h, field.address, field.width);
    const LockRule& rule = field.rule;
    if (isSafe(rule, bytes)) continue;
    const uint32_t v = littleEndian(bytes);
    FieldVerdict verdict = {&field, forGood(rule, v, partnersOf(h, field)), v,
                            rule.effect, sourceOf(image, bytes, field.address)};
    if (verdict.forGood) {
      verdict.effect = rule.forGood;
    } else {
      for (const LockRule::Special& special : rule.specials)
        if ((v & special.mask) == special.value)
          verdict.effect = special.effect;
    }
    verdicts.push_back(verdict);
  }
  return verdicts;
}

std::vector<FieldVerdict> oneForEachSource(std::vector<FieldVerdict> verdicts) {
  auto key = [](const FieldVerdict& v) {
    return std::make_tuple(v.source.kind, v.source.index, v.source.first,
                           v.source.last);
  };
  std::stable_sort(verdicts.begin(), verdicts.end(),
                   [&key](const FieldVerdict& a, const FieldVerdict& b) {
                     return key(a) < key(b);
                   });
  std::vector<FieldVerdict> kept;
  for (const FieldVerdict& verdict : verdicts) {
    if (kept.empty() || key(kept.back()) != key(verdict)) {
      kept.push_back(verdict);
    } else if (verdict.forGood && !kept.back().forGood) {
      kept.back() = verdict;
    }
  }
  return kept;
}

std::vector<size_t> uncoveredPins(const ImageSpec& image) {
  std::vector<size_t> uncovered;
  const Coverage coverage = coverageOf(image.pairs);
  for (size_t i = 0; i < image.pins.size(); ++i) {
    const PinnedBlock& pin = image.pins[i];
    const uint64_t last =
        uint64_t{pin.address} + (pin.bytes.size() - 1) / image.unit;
    if (!coversAny(coverage, pin.address, last)) uncovered.push_back(i);
  }
  return uncovered;
}
