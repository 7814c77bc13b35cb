// The S-record image writer: fixed regions, record encoding and range
// splitting.
#ifndef TOLLIVEX_SREC_SREC_H_
#define TOLLIVEX_SREC_SREC_H_

#include <cstdint>
#include <cstdio>

// A block of fixed image content that replaces the random fill wherever a
// data byte's address falls inside it.
struct FixedRegion {
  uint8_t content[16];
  uint32_t start;
  uint32_t length;  // 0 to 16; 0 means the region is empty.
};

// The two regions a device profile sets; both start empty, content 0xFF.
extern FixedRegion securityRegion;
extern FixedRegion blankRegion;

// Puts both regions back to their initial empty state.
void resetFixedRegions();

// Maps a rand() value (0 to 2^31-1) to a fill byte in 0..254, never 0xFF.
inline uint8_t fillByte(uint32_t r) {
  return static_cast<uint8_t>((static_cast<uint64_t>(r) * 255u) >> 31);
}

// Every writer returns false when the stream reported a failed write; errno
// then says why.  Callers stop at the first failure.

// Writes the S0 record that carries the first 36 bytes of text.
bool writeHeaderRecord(FILE* out, const char* text);

// Writes one data record of count (1 to 32) bytes at address, choosing
// S1/S2/S3 by the address and drawing one fill value per data byte.
bool writeRecord(FILE* out, uint32_t address, unsigned count);

// Same as writeRecord, but takes count modulo 256 and writes nothing for 0.
bool writeRecordIfNonEmpty(FILE* out, uint32_t address, unsigned count);

// Writes the S9 record with the low 16 bits of address.
bool writeTerminatorRecord(FILE* out, uint32_t address);

// Write the records for the inclusive range start..end, in rising order,
// never crossing a multiple of 32 bytes (16 words for word addresses).
// Nothing is written when start > end.
bool writeByteRange(FILE* out, uint32_t start, uint32_t end);
bool writeWordRange(FILE* out, uint32_t start, uint32_t end);

#endif  // TOLLIVEX_SREC_SREC_H_
