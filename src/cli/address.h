// Reading address texts from the command line.
#ifndef TOLLIVEX_CLI_ADDRESS_H_
#define TOLLIVEX_CLI_ADDRESS_H_

#include <cstdint>

// Reads a clean number: optional white space, an optional sign, the digits
// of its base (0x or 0X hexadecimal, a leading 0 octal, else decimal),
// optional white space, and nothing else.  Values -2147483648..-1 count back
// from 2^32, values up to 4294967295 are taken as they are.  Returns false,
// leaving *address alone, for any other text or value.
bool parseAddress(const char* text, uint32_t* address);

#endif  // TOLLIVEX_CLI_ADDRESS_H_
