// The formats' option words, suffixes and names, and the output file name
// derived from the image file argument.
#ifndef TOLLIVEX_CLI_OUTPUT_NAME_H_
#define TOLLIVEX_CLI_OUTPUT_NAME_H_

#include <string>

#include "image/image.h"

// imageFile, then "_Alt" when alt is set, then the format's suffix (".sx",
// ".hex", ".bin", ".txt", ".vmem" or ".c"), whatever the length: a name the
// system refuses is reported when the file is created, rather than cut short to
// the name of some other file.
std::string outputName(const char* imageFile, bool alt, ImageFormat format);

// The format an -o name's extension says, matched ignoring case: .hex, .ihex
// and .ihx Intel HEX; .bin raw binary; .txt TI-TXT; .vmem and .mem Verilog
// memory; .c a C array; .s19, .s28, .s37, .srec, .sx and .mot S-records.
// False for any other extension, or none.
bool formatOfName(const std::string& name, ImageFormat* format);

// What a format is called in messages: "Intel HEX".
const char* formatName(ImageFormat format);

// The option word that asks for a format ("-ihex"); empty for S-records.
const char* formatWord(ImageFormat format);

#endif  // TOLLIVEX_CLI_OUTPUT_NAME_H_
