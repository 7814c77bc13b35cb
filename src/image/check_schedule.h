// Which pass over the image works out which check value.
//
// A value whose region holds another value is worked out after it.  A value
// placed after its region is worked out when a pass reaches it; one placed
// before its region needs a pass of its own over the region first, made
// before the image is written.  Values of one nesting level share a pass.
#ifndef TOLLIVEX_IMAGE_CHECK_SCHEDULE_H_
#define TOLLIVEX_IMAGE_CHECK_SCHEDULE_H_

#include <cstddef>
#include <vector>

#include "image/image.h"

// The passes in order, each the indices of the checks it works out; the
// last is the one that writes the image, and works out the rest.  The
// checks' regions must not hold each other in a circle.
std::vector<std::vector<size_t>> scheduleChecks(const ImageSpec& image);

// Whether the value of check a has a byte in the region of check b.
bool liesIn(const PlacedCheck& a, const PlacedCheck& b);

#endif  // TOLLIVEX_IMAGE_CHECK_SCHEDULE_H_
