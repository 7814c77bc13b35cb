// Deriving the output file name from the image file argument.
#ifndef TOLLIVEX_CLI_OUTPUT_NAME_H_
#define TOLLIVEX_CLI_OUTPUT_NAME_H_

#include <string>

#include "image/image.h"

// imageFile, then "_Alt" when alt is set, then the format's suffix (".sx",
// ".hex" or ".bin"), whatever the length: a name the system refuses is
// reported when the file is created, rather than cut short to the name of
// some other file.
std::string outputName(const char* imageFile, bool alt, ImageFormat format);

#endif  // TOLLIVEX_CLI_OUTPUT_NAME_H_
