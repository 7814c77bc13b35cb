// The passes that work out the check values placed before their regions,
// made before the image is written: each makes only the bytes of the
// regions it works out, by position, as the image will hold them.
#ifndef TOLLIVEX_IMAGE_AHEAD_PASS_H_
#define TOLLIVEX_IMAGE_AHEAD_PASS_H_

#include <cstddef>
#include <vector>

#include "image/check_runs.h"
#include "image/image.h"

// Runs every pass of schedule but the last, in order, into *values.
void workOutAhead(const ImageSpec& image,
                  const std::vector<std::vector<size_t>>& schedule,
                  std::vector<CheckValue>* values);

// Works out every check value of image into *values, without writing the
// image: what a verdict on the values needs before the first byte goes out.
void workOutEvery(const ImageSpec& image, std::vector<CheckValue>* values);

#endif  // TOLLIVEX_IMAGE_AHEAD_PASS_H_
