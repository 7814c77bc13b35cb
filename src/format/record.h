// What every encoder takes: the records of a stretch of the image, and the
// shape their text is to have.
#ifndef TOLLIVEX_FORMAT_RECORD_H_
#define TOLLIVEX_FORMAT_RECORD_H_

#include <cstdint>
#include <string>

// One data record: size bytes at address (a word address with -word), from
// offset on in the stretch's bytes.
struct RecordCut {
  uint32_t address;
  uint32_t offset;
  uint32_t size;
};

// The shape of the records of a text format: what a loader under test may
// be picky about.
struct RecordShape {
  // The most data bytes a record holds (even with -word).  A record never
  // crosses a multiple of length / unit addresses, nor of 0x10000.
  unsigned length = 32;
  // S-records: the smallest address field of a data record, in bytes.
  unsigned addressSize = 2;
  // The start address: in the terminator (S7/S8/S9), or Intel HEX type 05.
  bool entryGiven = false;
  uint32_t entry = 0;
  bool count = false;  // S-records: an S5/S6 count record after the data.
  bool crlf = false;   // Lines end with CR LF, not LF.
  // The header text (the S0 record's data, instead of the module field and
  // name; the first comment of Verilog memory and C arrays).
  bool headerGiven = false;
  std::string header;
  // Verilog memory and C arrays: the bits of a word (8, 16 or 32), and
  // whether its first byte is its most significant.
  unsigned width = 8;
  bool bigEndian = false;
};

// Ends a line of text: LF, or CR LF with -crlf.
inline char* endLine(char* p, bool crlf) {
  if (crlf) *p++ = '\r';
  *p++ = '\n';
  return p;
}

#endif  // TOLLIVEX_FORMAT_RECORD_H_
