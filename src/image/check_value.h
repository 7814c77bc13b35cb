// Check values a bootloader verifies before it starts an application: CRCs
// and byte sums over a region of the image.
#ifndef TOLLIVEX_IMAGE_CHECK_VALUE_H_
#define TOLLIVEX_IMAGE_CHECK_VALUE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One kind of check value, in the terms of the CRC catalogue: a CRC of
// width bits over poly, from init, reflected or not, its result XORed with
// xorOut; or, with sum set, the sum of the bytes modulo 2^width.
struct CheckKind {
  const char* name;
  unsigned width;  // 8, 16 or 32 bits; the value takes width / 8 bytes.
  bool sum;
  uint32_t poly, init;
  bool reflected;
  uint32_t xorOut;
};

// The bytes a value of kind takes: 1, 2 or 4.
inline unsigned valueBytes(const CheckKind& kind) {
  return kind.width <= 8 ? 1 : kind.width <= 16 ? 2 : 4;
}

// The kind named by the length bytes of name; null when there is none.
const CheckKind* findCheckKind(const char* name, size_t length);

// The names of all kinds, in the table's order, for messages and the help:
// "crc32, crc32-mpeg2, ...".
const std::string& checkKindNames();

// A check value being worked out: the bytes so far of its region.
struct CheckSum {
  const CheckKind* kind;
  // CRCs run in a 32-bit register, MSB first ones shifted to its top.
  uint32_t state;
  uint64_t sum;
  // The tables of a CRC: tables[k][b] is the register after byte b and k
  // zero bytes, so that eight bytes take eight lookups at once.
  std::vector<uint32_t> tables;
};

void startCheck(CheckSum* check, const CheckKind& kind);

// Takes count more bytes of the region.
void updateCheck(CheckSum* check, const uint8_t* bytes, size_t count);

// Takes count copies of byte, in time that grows with the logarithm of
// count, so that erased flash across a 4 GiB region costs nothing.
void updateCheckRepeated(CheckSum* check, uint8_t byte, uint64_t count);

// The value of the bytes taken so far.
uint32_t checkValue(const CheckSum& check);

#endif  // TOLLIVEX_IMAGE_CHECK_VALUE_H_
