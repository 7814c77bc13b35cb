// CRCs of any model of the catalogue (the Rocksoft model: width, poly,
// init, reflected input and output, final XOR), 8, 16 or 32 bits wide.
//
// Every model runs in one 32-bit register, shifted right: a CRC that takes
// its bytes least significant bit first does so directly, one that takes
// them most significant bit first is its mirror image, fed its bytes with
// their bits reversed.  A register narrower than 32 bits is the 32-bit CRC
// of the polynomial times x^(32 - width).  So one table path serves every
// model, and one carry-less-multiply fold, its constants worked out for the
// polynomial, serves every model on CPUs that have the instruction.
#ifndef TOLLIVEX_IMAGE_CRC_H_
#define TOLLIVEX_IMAGE_CRC_H_

#include <cstddef>
#include <cstdint>

struct CrcModel {
  unsigned width;  // 8, 16 or 32.
  uint32_t poly, init;
  bool refIn, refOut;
  uint32_t xorOut;
};

inline bool operator==(const CrcModel& a, const CrcModel& b) {
  return a.width == b.width && a.poly == b.poly && a.init == b.init &&
         a.refIn == b.refIn && a.refOut == b.refOut && a.xorOut == b.xorOut;
}

// How the bytes go in: as the model takes them, or as 32-bit little-endian
// words, each word's bytes most significant first, as the STM32 CRC unit
// takes them (then only whole words go in).
enum class CrcFeed { kBytes, kWords };

struct CrcEngine {
  CrcModel model;
  CrcFeed feed;
  // The register's polynomial, reflected, and tables[k][b]: the register
  // after byte b and k zero bytes, so that eight bytes take eight lookups.
  uint32_t poly;
  uint32_t tables[8][256];
  // The fold's constants: x^544, x^480, x^160, x^96 and x^64 modulo the
  // polynomial, then the polynomial and floor(x^64 / polynomial), each
  // reflected; then, for a register shifted left, x^576, x^512, x^192 and
  // x^128 modulo the polynomial.
  uint64_t fold[11];
  // powers[k]: the register after 2^k copies of repeated (as it goes in),
  // an affine map: powers[k][i] is where bit i goes, powers[k][32] what
  // zeros give.
  bool powersFor;
  uint8_t repeated;
  uint32_t powers[33][33];
};

void startCrcEngine(CrcEngine* engine, const CrcModel& model, CrcFeed feed);

// The register before the first byte.
uint32_t crcStart(const CrcEngine& engine);

// The register after count more bytes (whole words, with kWords).
uint32_t crcUpdate(const CrcEngine& engine, uint32_t state,
                   const uint8_t* bytes, size_t count);

// The register after count copies of byte, in time that grows with the
// logarithm of count; with kWords, count is whole words.
uint32_t crcRepeat(CrcEngine* engine, uint32_t state, uint8_t byte,
                   uint64_t count);

// The CRC of the bytes taken into state.
uint32_t crcValue(const CrcEngine& engine, uint32_t state);

#endif  // TOLLIVEX_IMAGE_CRC_H_
