// The warnings about an image that may not be what the user meant.
#ifndef TOLLIVEX_CLI_WARNINGS_H_
#define TOLLIVEX_CLI_WARNINGS_H_

#include <cstddef>
#include <string>

#include "cli/command.h"
#include "image/image.h"
#include "image/lock_guard.h"
#include "io/system.h"

// Reports each surprise in the command's image, in the order of the
// warnings of warnings.cc, and returns how many there were.  None changes
// the image or the status but under -strict.  sys looks at what stands at
// the image file argument.
int warnOfSurprises(const Command& command, const System& sys);

// What verdict says of pin, the index of a pin of image: that no range
// covers it, or what it sets and what that does.
std::string pinVerdictText(const ImageSpec& image, size_t pin,
                           const PinVerdict& verdict);

#endif  // TOLLIVEX_CLI_WARNINGS_H_
