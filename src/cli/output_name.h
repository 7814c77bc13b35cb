// Deriving the output file name from the image file argument.
#ifndef TOLLIVEX_CLI_OUTPUT_NAME_H_
#define TOLLIVEX_CLI_OUTPUT_NAME_H_

#include <string>

// The first 1990 bytes of imageFile, then "_Alt" when alt is set, then ".sx".
std::string outputName(const char* imageFile, bool alt);

#endif  // TOLLIVEX_CLI_OUTPUT_NAME_H_
