// Where the check values and their regions lie, settled once the ranges are
// known, and what makes a layout impossible.
#ifndef TOLLIVEX_IMAGE_CHECK_LAYOUT_H_
#define TOLLIVEX_IMAGE_CHECK_LAYOUT_H_

#include <cstddef>

#include "image/image.h"

// The first check that cannot be placed, or none.
struct CheckProblem {
  bool found;
  size_t check;  // Its index in the image's checks.
};

// Gives each check without a region of its own the region from the lowest
// address a range covers up to the value, and finds the first check, in
// command-line order, whose value does not fit the address space, whose
// region would be empty, or whose value lies in a region.
CheckProblem settleChecks(ImageSpec* image);

#endif  // TOLLIVEX_IMAGE_CHECK_LAYOUT_H_
