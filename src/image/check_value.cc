// Check values a bootloader verifies: CRCs, sums and lengths over a region.
#include "image/check_value.h"

#include <strings.h>

#include <algorithm>

#include "image/little_endian.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using Algorithm = CheckKind::Algorithm;

// The sum of count bytes: sixteen at a time where SSE2 is.
uint64_t byteSum(const uint8_t* bytes, size_t count) {
  uint64_t sum = 0;
  size_t i = 0;
#if defined(__SSE2__)
  __m128i sums = _mm_setzero_si128();
  for (; i + 16 <= count; i += 16)
    sums = _mm_add_epi64(
        sums, _mm_sad_epu8(
                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i)),
                  _mm_setzero_si128()));
  sum = static_cast<uint64_t>(_mm_cvtsi128_si64(sums)) +
        static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_srli_si128(sums, 8)));
#endif
  for (; i < count; ++i) sum += bytes[i];
  return sum;
}

// Adds the count bytes that start at region offset taken to a sum of
// little-endian words, modulo 2^32: each byte counts at its place in its
// word.
uint64_t wordSum(const uint8_t* bytes, size_t count, uint64_t taken) {
  uint32_t sum = 0;
  size_t i = 0;
  for (; i < count && (taken + i) % 4 != 0; ++i)
    sum += uint32_t{bytes[i]} << (8 * ((taken + i) % 4));
#if defined(__SSE2__)
  __m128i sums = _mm_setzero_si128();  // Four words, each modulo 2^32.
  for (; i + 16 <= count; i += 16)
    sums = _mm_add_epi32(
        sums, _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i)));
  sums = _mm_add_epi32(sums, _mm_srli_si128(sums, 8));
  sums = _mm_add_epi32(sums, _mm_srli_si128(sums, 4));
  sum += static_cast<uint32_t>(_mm_cvtsi128_si32(sums));
#endif
  for (; i + 4 <= count; i += 4) sum += load32(bytes + i);
  for (; i < count; ++i) sum += uint32_t{bytes[i]} << (8 * ((taken + i) % 4));
  return sum;
}

}  // namespace

const std::vector<CheckKind>& checkKinds() {
  // Adding a kind is one row: the messages, the help and the completion
  // take the names from here.  The check values of "123456789" are in the
  // tests.
  static const std::vector<CheckKind> kKinds = {
      {"crc32",
       Algorithm::kCrc,
       32,
       {32, 0x04C11DB7, 0xFFFFFFFF, true, true, 0xFFFFFFFF}},
      {"crc32-mpeg2",
       Algorithm::kCrc,
       32,
       {32, 0x04C11DB7, 0xFFFFFFFF, false, false, 0}},
      {"crc32c",
       Algorithm::kCrc,
       32,
       {32, 0x1EDC6F41, 0xFFFFFFFF, true, true, 0xFFFFFFFF}},
      {"crc32-stm32",
       Algorithm::kCrcWords,
       32,
       {32, 0x04C11DB7, 0xFFFFFFFF, false, false, 0}},
      {"crc16-ccitt",
       Algorithm::kCrc,
       16,
       {16, 0x1021, 0xFFFF, false, false, 0}},
      {"crc16-xmodem", Algorithm::kCrc, 16, {16, 0x1021, 0, false, false, 0}},
      {"crc16-modbus",
       Algorithm::kCrc,
       16,
       {16, 0x8005, 0xFFFF, true, true, 0}},
      {"crc16-arc", Algorithm::kCrc, 16, {16, 0x8005, 0, true, true, 0}},
      {"sum8", Algorithm::kSum, 8, {}},
      {"sum16", Algorithm::kSum, 16, {}},
      {"sum32", Algorithm::kSum, 32, {}},
      {"sum8-neg", Algorithm::kSumNeg, 8, {}},
      {"sum16-neg", Algorithm::kSumNeg, 16, {}},
      {"sum32-neg", Algorithm::kSumNeg, 32, {}},
      {"wsum32", Algorithm::kWordSum, 32, {}},
      {"wsum32-neg", Algorithm::kWordSumNeg, 32, {}},
      {"len16", Algorithm::kLength, 16, {}},
      {"len32", Algorithm::kLength, 32, {}},
  };
  return kKinds;
}

const CheckKind* findCheckKind(const std::string& name,
                               const std::vector<CheckKind>& models) {
  for (const std::vector<CheckKind>* kinds : {&checkKinds(), &models})
    for (const CheckKind& kind : *kinds)
      if (strcasecmp(kind.name.c_str(), name.c_str()) == 0) return &kind;
  return nullptr;
}

std::string checkKindNames() {
  std::string names;
  for (const CheckKind& kind : checkKinds())
    names += (names.empty() ? "" : ", ") + kind.name;
  return names;
}

const char* regionNeed(const CheckKind& kind, uint64_t length) {
  switch (kind.algorithm) {
    case Algorithm::kCrcWords:
    case Algorithm::kWordSum:
    case Algorithm::kWordSumNeg:
      return length % 4 == 0 ? nullptr : "a region of whole 32-bit words";
    case Algorithm::kLength:
      // A region of 2^32 bytes would hold the value itself, so every other
      // fits 32 bits.
      return kind.width == 32 || length <= 0xFFFF
                 ? nullptr
                 : "a region of at most 65535 bytes";
    default:
      return nullptr;
  }
}

void startCheck(CheckSum* check, const CheckKind& kind, CrcEngine* engine) {
  check->kind = &kind;
  check->engine = engine;
  check->state = engine != nullptr ? crcStart(*engine) : 0;
  check->sum = 0;
  check->taken = 0;
}

void updateCheck(CheckSum* check, const uint8_t* bytes, size_t count) {
  switch (check->kind->algorithm) {
    case Algorithm::kCrc:
      check->state = crcUpdate(*check->engine, check->state, bytes, count);
      break;
    case Algorithm::kCrcWords: {
      // Only whole words go in: the rest waits for the next bytes.
      size_t i = 0;
      for (; i < count && check->taken % 4 != 0; ++i, ++check->taken) {
        check->pending[check->taken % 4] = bytes[i];
        if (check->taken % 4 == 3)
          check->state =
              crcUpdate(*check->engine, check->state, check->pending, 4);
      }
      const size_t words = (count - i) / 4 * 4;
      check->state = crcUpdate(*check->engine, check->state, bytes + i, words);
      check->taken += words;
      for (i += words; i < count; ++i, ++check->taken)
        check->pending[check->taken % 4] = bytes[i];
      return;
    }
    case Algorithm::kSum:
    case Algorithm::kSumNeg:
      check->sum += byteSum(bytes, count);
      break;
    case Algorithm::kWordSum:
    case Algorithm::kWordSumNeg:
      check->sum += wordSum(bytes, count, check->taken);
      break;
    case Algorithm::kLength:
      break;
  }
  check->taken += count;
}

void updateCheckRepeated(CheckSum* check, uint8_t byte, uint64_t count) {
  switch (check->kind->algorithm) {
    case Algorithm::kCrc:
      check->state = crcRepeat(check->engine, check->state, byte, count);
      break;
    case Algorithm::kCrcWords: {
      // The copies that end a word waiting, the whole words, the rest.
      const uint8_t run[4] = {byte, byte, byte, byte};
      const uint64_t head =
          std::min<uint64_t>(count, (4 - check->taken % 4) % 4);
      updateCheck(check, run, static_cast<size_t>(head));
      const uint64_t words = (count - head) / 4;
      check->state = crcRepeat(check->engine, check->state, byte, words);
      check->taken += 4 * words;
      updateCheck(check, run, static_cast<size_t>(count - head - 4 * words));
      return;
    }
    case Algorithm::kSum:
    case Algorithm::kSumNeg:
      check->sum += uint64_t{byte} * count;
      break;
    case Algorithm::kWordSum:
    case Algorithm::kWordSumNeg:
      // How many of the copies fall at each place in a word.
      for (uint64_t place = 0; place < 4; ++place) {
        const uint64_t first = (place + 4 - check->taken % 4) % 4;
        const uint64_t n = count > first ? (count - first + 3) / 4 : 0;
        check->sum += (uint64_t{byte} << (8 * place)) * n;
      }
      break;
    case Algorithm::kLength:
      break;
  }
  check->taken += count;
}

uint32_t checkValue(const CheckSum& check, uint64_t length) {
  const unsigned width = check.kind->width;
  const uint64_t mask = (uint64_t{1} << width) - 1;
  switch (check.kind->algorithm) {
    case Algorithm::kCrc:
    case Algorithm::kCrcWords:
      return crcValue(*check.engine, check.state);
    case Algorithm::kSum:
    case Algorithm::kWordSum:
      return static_cast<uint32_t>(check.sum & mask);
    case Algorithm::kSumNeg:
    case Algorithm::kWordSumNeg:
      return static_cast<uint32_t>((0 - check.sum) & mask);
    case Algorithm::kLength:
      break;
  }
  return static_cast<uint32_t>(length & mask);
}
