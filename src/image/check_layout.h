// Where the check values and their regions lie, settled once the ranges are
// known, and what makes a layout impossible.
#ifndef TOLLIVEX_IMAGE_CHECK_LAYOUT_H_
#define TOLLIVEX_IMAGE_CHECK_LAYOUT_H_

#include <cstddef>

#include "image/image.h"

// The first thing that makes the checks' layout impossible, if any.
struct CheckProblem {
  enum class Kind {
    kNone,
    kBadCheck,    // first does not fit the address space, or its region
                  // would be empty.
    kOwnRegion,   // first's value lies in its own region.
    kRegionNeed,  // first's kind refuses its region: it needs `need`.
    kOverlap,     // The values of first and second share a byte.
    kCut,         // Some of first's bytes, `outside` of them, lie outside
                  // every range, and some inside.
    kCircle,      // first and second lie in each other's regions, by way
                  // of others or not.
  };
  Kind kind = Kind::kNone;
  size_t first = 0, second = 0;
  const char* need = nullptr;
  unsigned outside = 0;
};

// Gives each check without a region of its own the region from the lowest
// address a range covers up to the value, and finds the first problem, in
// the order of CheckProblem's kinds, each in command-line order.
CheckProblem settleChecks(ImageSpec* image);

#endif  // TOLLIVEX_IMAGE_CHECK_LAYOUT_H_
