// What the pins do to a device profile's fields: each field a pin changes
// is judged by the value it ends up with, so that an image that would lock
// the part says so, and one that would lock it for good is refused.
#ifndef TOLLIVEX_IMAGE_LOCK_GUARD_H_
#define TOLLIVEX_IMAGE_LOCK_GUARD_H_

#include <cstdint>
#include <vector>

#include "image/image.h"

struct PinVerdict {
  enum class Kind {
    kNone,       // Nothing to say.
    kUncovered,  // No range covers a byte of the pin.
    kUnsafe,     // It leaves field locking the part.
    kForGood,    // It leaves field locking the part for good.
  };
  Kind kind = Kind::kNone;
  const ProfileField* field = nullptr;
  uint32_t value = 0;  // The field's value, when it is of 1, 2 or 4 bytes.
};

// One verdict for each pin of image.  A field is judged when a range covers
// all of its bytes and some pin overlaps it, by its value after the
// profile's blocks and then every pin, and for the last pin that overlaps
// it.  A pin that leaves several fields locked gets the first, in address
// order, that locks the part for good, else the first that locks it.
std::vector<PinVerdict> judgePins(const ImageSpec& image);

// Whether the profile's fields are matched at their addresses: not for the
// profiles of 1.5.0 and before with -word.
bool fieldsApply(const ImageSpec& image);

#endif  // TOLLIVEX_IMAGE_LOCK_GUARD_H_
