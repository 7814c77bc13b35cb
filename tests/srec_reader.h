// A strict reader of S-record text for the tests, and the expected fill.
#ifndef TOLLIVEX_TESTS_SREC_READER_H_
#define TOLLIVEX_TESTS_SREC_READER_H_

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "image/image.h"

struct Record {
  char type;  // '0' to '9'
  uint32_t address;
  std::vector<uint8_t> data;
};

// Splits text into records, failing the current test on any line that is
// not upper-case hex with a correct count and checksum, or that does not
// end as the others do (LF or CR LF).
std::vector<Record> readRecords(const std::string& text);

// The data records only, in file order.
std::vector<Record> dataRecords(const std::string& text);

// Where the data records of text lie: address and data byte count of each.
using Layout = std::vector<std::pair<uint32_t, size_t>>;
Layout layoutOf(const std::string& text);

// The data bytes of all data records of text, in file order.
std::vector<uint8_t> dataBytes(const std::string& text);

// The byte at each address after the data records of text, read in order,
// as a programmer would leave them: a later record's byte stands.
using Memory = std::map<uint32_t, uint8_t>;
Memory memoryOf(const std::string& text);

// The same for Intel HEX text, read strictly: upper-case hex, counts and
// checksums, data records under extended linear address records that
// change the address, at most one start address after them, one end
// record, last, and lines ending alike.  Fails the current test otherwise.
// Adds where the data records lie to *layout, when given.
Memory memoryOfIntelHex(const std::string& text, Layout* layout = nullptr);

// The fill bytes srand(seed) then n rand() calls give.
std::vector<uint8_t> seededFill(unsigned seed, size_t n);

// Everything written to fd, a file, from its start.
std::string fileText(int fd);

// The image written into a memory file, as the tool writes it.
std::string imageText(const ImageSpec& image);

#endif  // TOLLIVEX_TESTS_SREC_READER_H_
