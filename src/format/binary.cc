// Raw binary: every byte at its offset from the image's lowest address.
#include "format/binary.h"

void startBinary(BinaryEncoder* encoder, uint32_t base, uint8_t erased) {
  *encoder = {base, 0, erased};
}

BinaryPlace placeBinary(BinaryEncoder* encoder, uint32_t address,
                        size_t count) {
  const uint64_t offset = address - encoder->base;
  BinaryPlace place = {offset > encoder->end ? offset - encoder->end : 0,
                       offset};
  if (offset + count > encoder->end) encoder->end = offset + count;
  return place;
}
