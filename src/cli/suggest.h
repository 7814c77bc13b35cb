// What an unknown option was probably meant to be.
#ifndef TOLLIVEX_CLI_SUGGEST_H_
#define TOLLIVEX_CLI_SUGGEST_H_

#include <string>
#include <vector>

#include "image/device_profile.h"

// The nearest of words (in the order of the help) to arg, an unknown
// option, matched ignoring ASCII case: a value option with "=VALUE" joined
// on ("-seed=42" gives "-seed 42", as typed); an option word with a second
// '-' in front ("--ihex"); or the first word within two edits (an insert,
// a delete, a change, or two neighbours swapped).  Empty when none is close,
// or when arg is one letter.  valueOption says which words take a value.
std::string suggestionFor(const std::string& arg,
                          const std::vector<std::string>& words,
                          bool (*valueOption)(const std::string& word));

// The device profile an unknown option word was probably meant to be,
// matched without its '-' and ignoring ASCII case: the row serving the
// part names it starts with (the longest such start wins); else the one
// profile word it is the start of; else the profile word it equals but for
// leading zeros in its numbers.  Null when none: in a part name, one other
// letter or digit is another family, so no other edit suggests a profile.
const DeviceProfile* profileSuggestionFor(const std::string& arg);

#endif  // TOLLIVEX_CLI_SUGGEST_H_
