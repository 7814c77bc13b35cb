// Reading address texts from the command line.
#ifndef TOLLIVEX_CLI_ADDRESS_H_
#define TOLLIVEX_CLI_ADDRESS_H_

#include <cstdint>

// Reads text as strtol does with base 0 (decimal, 0x hex, 0 octal; trailing
// junk ignored, no digits gives 0).  Values -2147483648..-1 count back from
// 2^32, values up to 0xFFFFFFFF are taken as they are, and values beyond
// either end stand for that end.
uint32_t parseAddress(const char* text);

#endif  // TOLLIVEX_CLI_ADDRESS_H_
