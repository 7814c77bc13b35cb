// Reading byte strings written as hex digits, as -fill and -pin take them.
#ifndef TOLLIVEX_CLI_HEX_BYTES_H_
#define TOLLIVEX_CLI_HEX_BYTES_H_

#include <cstddef>
#include <cstdint>
#include <vector>

// Reads 1 to maxBytes bytes written as two hex digits each, in either case,
// after an optional 0x or 0X, with no space or anything else.  Returns
// false, leaving *bytes alone, for any other text.
bool parseHexBytes(const char* text, size_t maxBytes,
                   std::vector<uint8_t>* bytes);

#endif  // TOLLIVEX_CLI_HEX_BYTES_H_
