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
  // S-records: the S0 record's data, instead of the module field and name.
  bool headerGiven = false;
  std::string header;
};

#endif  // TOLLIVEX_FORMAT_RECORD_H_
