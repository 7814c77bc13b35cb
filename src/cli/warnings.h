// The warnings about an image that may not be what the user meant.
#ifndef TOLLIVEX_CLI_WARNINGS_H_
#define TOLLIVEX_CLI_WARNINGS_H_

#include <cstddef>
#include <string>
#include <vector>

#include "cli/command.h"
#include "image/image.h"
#include "image/lock_guard.h"
#include "io/system.h"

// Reports each surprise in the command's image, in the order of the
// warnings of warnings.cc, and returns how many there were.  None changes
// the image or the status but under -strict.  sys looks at what stands at
// the image file argument.  Once the seed is settled, the fields that hold
// fill or check values are judged too: when one would lock the part for
// good, without -allow-brick, that is reported instead and -1 returned.
int warnOfSurprises(const Command& command, const System& sys);

// What verdict says: what its source sets the field to, and what that does.
std::string fieldVerdictText(const ImageSpec& image,
                             const FieldVerdict& verdict);

// Reports the first verdict that locks the part for good, if any; true
// when there is one.
bool reportForGood(const ImageSpec& image,
                   const std::vector<FieldVerdict>& verdicts);

#endif  // TOLLIVEX_CLI_WARNINGS_H_
