// Raw binary: every byte at its offset from the image's lowest address.
#include "format/binary.h"

BinaryPlace placeBinary(BinaryLayout* layout, uint32_t address, size_t count) {
  const uint64_t offset = address - layout->base;
  BinaryPlace place = {offset > layout->end ? offset - layout->end : 0, offset};
  if (offset + count > layout->end) layout->end = offset + count;
  return place;
}
