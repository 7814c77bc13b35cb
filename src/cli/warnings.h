// The warnings about an image that may not be what the user meant.
#ifndef TOLLIVEX_CLI_WARNINGS_H_
#define TOLLIVEX_CLI_WARNINGS_H_

#include <cstddef>
#include <string>

#include "image/image.h"
#include "image/lock_guard.h"

// Reports each surprise in image, in this order: the ranges that overlap an
// earlier one, a device profile with -word, a profile no range reaches, the
// zones it keeps out that a range covers, each pin that lands nowhere or
// locks the part, each check value that lands nowhere or in a block that
// guards the part, the ranges that hold nothing.  None changes the image or
// the status.
void warnOfSurprises(const ImageSpec& image);

// What verdict says of pin, the index of a pin of image: that no range
// covers it, or what it sets and what that does.
std::string pinVerdictText(const ImageSpec& image, size_t pin,
                           const PinVerdict& verdict);

#endif  // TOLLIVEX_CLI_WARNINGS_H_
