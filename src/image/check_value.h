// Check values a bootloader verifies before it starts an application:
// CRCs, sums and lengths over a region of the image.
#ifndef TOLLIVEX_IMAGE_CHECK_VALUE_H_
#define TOLLIVEX_IMAGE_CHECK_VALUE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image/crc.h"

// One kind of check value.
struct CheckKind {
  enum class Algorithm {
    kCrc,         // The CRC of model over the bytes.
    kCrcWords,    // The CRC of model over 32-bit little-endian words, each
                  // taken most significant byte first (the STM32 CRC unit).
    kSum,         // The sum of the bytes modulo 2^width.
    kSumNeg,      // Its two's complement: bytes and value sum to 0.
    kWordSum,     // The sum of the little-endian 32-bit words.
    kWordSumNeg,  // Its two's complement.
    kLength,      // The region's length in bytes.
  };
  std::string name;
  Algorithm algorithm = Algorithm::kSum;
  unsigned width = 8;   // 8, 16 or 32 bits; the value takes width / 8 bytes.
  CrcModel model = {};  // Of the CRC kinds.
};

// The bytes a value of kind takes: 1, 2 or 4.
inline unsigned valueBytes(const CheckKind& kind) {
  return kind.width <= 8 ? 1 : kind.width <= 16 ? 2 : 4;
}

// The built-in kinds, in the order of the help.  Each CRC kind is a model
// of the catalogue, as one given with -crc-model is.
const std::vector<CheckKind>& checkKinds();

// The kind called name, ignoring ASCII case, among the built-in ones and
// models; null when there is none.
const CheckKind* findCheckKind(const std::string& name,
                               const std::vector<CheckKind>& models);

// The names of the built-in kinds, in order, for messages and the help:
// "crc32, crc32-mpeg2, ...".
std::string checkKindNames();

// What kind needs of a region of length bytes that this one is not:
// "a region of whole 32-bit words"; null when it takes any.
const char* regionNeed(const CheckKind& kind, uint64_t length);

// A check value being worked out: the bytes of its region so far.
struct CheckSum {
  const CheckKind* kind;
  CrcEngine* engine;   // Of a CRC kind: shared by the values of its model.
  uint32_t state;      // The CRC's register.
  uint64_t sum;        // Of the bytes, or of the words.
  uint64_t taken;      // Bytes taken so far.
  uint8_t pending[4];  // The bytes of a word not yet whole.
};

// Starts a value of kind; engine must be started for its model and feed.
void startCheck(CheckSum* check, const CheckKind& kind, CrcEngine* engine);

// Takes count more bytes of the region.
void updateCheck(CheckSum* check, const uint8_t* bytes, size_t count);

// Takes count copies of byte, in time that grows at most with the
// logarithm of count, so that erased flash across a 4 GiB region costs
// nothing.
void updateCheckRepeated(CheckSum* check, uint8_t byte, uint64_t count);

// The value of the bytes taken, once the region's length bytes are.
uint32_t checkValue(const CheckSum& check, uint64_t length);

#endif  // TOLLIVEX_IMAGE_CHECK_VALUE_H_
