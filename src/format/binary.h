// Raw binary: every byte at its offset from the image's lowest address,
// erased flash where no range reaches.
#ifndef TOLLIVEX_FORMAT_BINARY_H_
#define TOLLIVEX_FORMAT_BINARY_H_

#include <cstddef>
#include <cstdint>

struct BinaryEncoder {
  uint32_t base;   // The address of the file's first byte.
  uint64_t end;    // One past the highest offset placed so far.
  uint8_t erased;  // What stands where no range reaches.
};

void startBinary(BinaryEncoder* encoder, uint32_t base, uint8_t erased);

// Where the count bytes at address go.
struct BinaryPlace {
  uint64_t gap;     // Erased bytes to write first, from the old end on.
  uint64_t offset;  // Where the first byte goes.
};

// Places count bytes at address: right after the highest byte so far they
// are appended; past it they come after erased bytes over the gap; below it
// they go back over what stands there, so the later range wins.
BinaryPlace placeBinary(BinaryEncoder* encoder, uint32_t address, size_t count);

#endif  // TOLLIVEX_FORMAT_BINARY_H_
