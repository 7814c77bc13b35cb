// The warnings about an image that may not be what the user meant.
#ifndef TOLLIVEX_CLI_WARNINGS_H_
#define TOLLIVEX_CLI_WARNINGS_H_

#include "image/image.h"

// Reports each surprise in image, in this order: the ranges that overlap an
// earlier one, a device profile with -word, a profile's security block no
// range covers, each pin and then each check value that lands nowhere or in
// the security block, the ranges that hold nothing.  None changes the image
// or the status.
void warnOfSurprises(const ImageSpec& image);

#endif  // TOLLIVEX_CLI_WARNINGS_H_
