// A strict reader of S-record text for the tests, and the expected fill.
#ifndef TOLLIVEX_TESTS_SREC_READER_H_
#define TOLLIVEX_TESTS_SREC_READER_H_

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

struct Record {
  char type;  // '0' to '9'
  uint32_t address;
  std::vector<uint8_t> data;
};

// Splits text into records, failing the current test on any line that is
// not upper-case hex with a correct count and checksum.
std::vector<Record> readRecords(const std::string& text);

// The data records only, in file order.
std::vector<Record> dataRecords(const std::string& text);

// Where the data records of text lie: address and data byte count of each.
using Layout = std::vector<std::pair<uint32_t, size_t>>;
Layout layoutOf(const std::string& text);

// The data bytes of all data records of text, in file order.
std::vector<uint8_t> dataBytes(const std::string& text);

// The fill bytes srand(seed) then n rand() calls give.
std::vector<uint8_t> seededFill(unsigned seed, size_t n);

// Runs write against a memory stream and returns what it wrote.
template <typename Write>
std::string captured(Write write) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&buffer, &size);
  write(out);
  fclose(out);
  std::string text(buffer, size);
  free(buffer);
  return text;
}

#endif  // TOLLIVEX_TESTS_SREC_READER_H_
