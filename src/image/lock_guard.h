// The judge over the bytes a part will hold: each field of the device
// profile is judged on its final value, whatever wrote it, so that an image
// that would lock the part says so, and one that would lock it for good is
// refused.
#ifndef TOLLIVEX_IMAGE_LOCK_GUARD_H_
#define TOLLIVEX_IMAGE_LOCK_GUARD_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/image.h"

// Where a byte the part holds comes from.  Messages name the first source
// of a field's bytes in this order.
struct ByteSource {
  enum class Kind {
    kPin,     // A -pin; of several, the last.
    kCheck,   // A -crc value.
    kGap,     // The gap fill of a binary image.
    kErased,  // No byte is written: the programmer leaves it erased.
    kFill,    // The random or pattern fill.
    kBlock,   // The profile's own block.
  };
  Kind kind = Kind::kErased;
  size_t index = 0;  // Of the pin or check.
  // With kErased, the field's first run of addresses no range covers.
  uint32_t first = 0, last = 0;
};

// A field whose value may lock the part.
struct FieldVerdict {
  const ProfileField* field;
  bool forGood;
  uint32_t value;      // Its first four bytes, little-endian.
  const char* effect;  // What the value does.
  ByteSource source;
};

// Which fields one call judges: the bytes of some are settled by the
// command line alone (the blocks, the pins, the gaps of a binary image and
// erased flash); the others hold fill or a check value, which are known
// only once the seed is and the check regions are read.
enum class Judged { kSettled, kLate };

// The verdict on each field of image's profile that judged says, that the
// image writes a byte of, and that leaves the part locked; in address
// order.  kLate works out the check values it needs by reading their
// regions, as the image will hold them.
std::vector<FieldVerdict> judgeFields(const ImageSpec& image, Judged judged);

// One verdict for each source of bytes: its first for good, else its
// first, in address order; sorted in the order messages name sources, the
// pins and the checks in command-line order.
std::vector<FieldVerdict> oneForEachSource(std::vector<FieldVerdict> verdicts);

// The pins no range covers a byte of, in command-line order.
std::vector<size_t> uncoveredPins(const ImageSpec& image);

// Whether the profile's fields are matched at their addresses: not for the
// profiles of 1.5.0 and before with -word.
bool fieldsApply(const ImageSpec& image);

#endif  // TOLLIVEX_IMAGE_LOCK_GUARD_H_
