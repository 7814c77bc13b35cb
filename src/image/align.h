// -align: each range widened to whole flash words, the added bytes erased.
//
// The padding of a pair is what its widened range adds that no pair covers
// and no earlier pair's padding took, so that an added byte never replaces
// a byte of a range and is written once.
#ifndef TOLLIVEX_IMAGE_ALIGN_H_
#define TOLLIVEX_IMAGE_ALIGN_H_

#include <cstddef>
#include <vector>

#include "image/image.h"

// Works out image->pads for image->align (in addresses): nothing when it
// is 1.
void padRanges(ImageSpec* image);

// What the records of pair i cover: the pair and its padding, as runs of
// consecutive addresses in rising order; the pair alone without -align,
// and nothing when it holds no byte.
std::vector<AddressPair> runsOf(const ImageSpec& image, size_t i);

#endif  // TOLLIVEX_IMAGE_ALIGN_H_
