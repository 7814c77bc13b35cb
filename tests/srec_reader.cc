// A strict reader of S-record text for the tests, and the expected fill.
#include "srec_reader.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>

#include "image/driver.h"

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;  // Lower case is an error too.
}

// Appends the bytes that the hex digits of line from first on spell, adding
// each to *sum; false for anything but pairs of upper-case hex digits.
bool hexBytes(const std::string& line, size_t first,
              std::vector<uint8_t>* bytes, unsigned* sum) {
  if (line.size() <= first || (line.size() - first) % 2 != 0) return false;
  for (size_t i = first; i < line.size(); i += 2) {
    int hi = hexValue(line[i]), lo = hexValue(line[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes->push_back(static_cast<uint8_t>(hi * 16 + lo));
    *sum += bytes->back();
  }
  return true;
}

bool readLine(const std::string& line, Record* record) {
  std::vector<uint8_t> bytes;
  unsigned sum = 0;
  if (line.size() < 4 || line[0] != 'S' || !hexBytes(line, 2, &bytes, &sum) ||
      bytes[0] + 1u != bytes.size() || (sum & 0xFF) != 0xFF)
    return false;
  // S0, S1, S5, S9: 2 address bytes; S2, S6, S8: 3; S3, S7: 4.
  static const std::string kWidth = "2234-23432";
  size_t type = static_cast<size_t>(line[1] - '0');
  if (type >= kWidth.size() || kWidth[type] == '-') return false;
  size_t addressBytes = static_cast<size_t>(kWidth[type] - '0');
  if (bytes.size() < addressBytes + 1 + (type >= 1 && type <= 3)) return false;
  record->type = line[1];
  record->address = 0;
  for (size_t i = 1; i <= addressBytes; ++i)
    record->address = record->address << 8 | bytes[i];
  record->data.assign(bytes.begin() + 1 + addressBytes, bytes.end() - 1);
  return true;
}

// The next line of text from *at on, without its end; fails the current
// test unless every line ends alike, all with LF or all with CR LF.
bool nextLine(const std::string& text, size_t* at, std::string* line) {
  if (*at >= text.size()) return false;
  size_t end = text.find('\n', *at);
  EXPECT_NE(end, std::string::npos) << "unterminated last line";
  if (end == std::string::npos) end = text.size();
  *line = text.substr(*at, end - *at);
  *at = end + 1;
  const bool crlf = !line->empty() && line->back() == '\r';
  if (crlf) line->pop_back();
  EXPECT_EQ(crlf, text[text.find('\n') - 1] == '\r') << "mixed line ends";
  return true;
}

}  // namespace

std::vector<Record> readRecords(const std::string& text) {
  std::vector<Record> records;
  std::string line;
  for (size_t at = 0; nextLine(text, &at, &line);) {
    Record record;
    EXPECT_TRUE(readLine(line, &record)) << "bad record: " << line;
    records.push_back(record);
  }
  return records;
}

std::vector<Record> dataRecords(const std::string& text) {
  std::vector<Record> data;
  for (const Record& r : readRecords(text))
    if (r.type >= '1' && r.type <= '3') data.push_back(r);
  return data;
}

Layout layoutOf(const std::string& text) {
  Layout layout;
  for (const Record& r : dataRecords(text))
    layout.emplace_back(r.address, r.data.size());
  return layout;
}

std::vector<uint8_t> dataBytes(const std::string& text) {
  std::vector<uint8_t> bytes;
  for (const Record& r : dataRecords(text))
    bytes.insert(bytes.end(), r.data.begin(), r.data.end());
  return bytes;
}

Memory memoryOf(const std::string& text) {
  Memory memory;
  for (const Record& r : dataRecords(text))
    for (size_t i = 0; i < r.data.size(); ++i)
      memory[r.address + static_cast<uint32_t>(i)] = r.data[i];
  return memory;
}

Memory memoryOfIntelHex(const std::string& text, Layout* layout) {
  Memory memory;
  std::string line;
  uint32_t upper = 0;
  bool ended = false, based = false, started = false;
  for (size_t at = 0; nextLine(text, &at, &line);) {
    std::vector<uint8_t> bytes;
    unsigned sum = 0;
    bool ok = !ended && !line.empty() && line[0] == ':' &&
              hexBytes(line, 1, &bytes, &sum) && bytes.size() >= 5 &&
              bytes[0] + 5u == bytes.size() && (sum & 0xFF) == 0;
    uint32_t newUpper =
        bytes.size() >= 6 ? uint32_t{bytes[4]} << 24 | uint32_t{bytes[5]} << 16
                          : 0;
    if (ok && bytes[3] == 0x04 && bytes[0] == 2 &&
        !(based && newUpper == upper)) {  // None that changes nothing.
      upper = newUpper;
      based = true;
    } else if (ok && bytes[3] == 0x01 && bytes[0] == 0) {
      ended = true;
    } else if (ok && bytes[3] == 0x05 && bytes[0] == 4 && !started) {
      started = true;  // The start address, at most once, after the data.
    } else if (ok && bytes[3] == 0x00 && based && !started) {
      uint32_t address = upper | uint32_t{bytes[1]} << 8 | bytes[2];
      if (layout != nullptr) layout->emplace_back(address, bytes[0]);
      for (size_t i = 0; i < bytes[0]; ++i)
        memory[address + static_cast<uint32_t>(i)] = bytes[4 + i];
    } else {
      ADD_FAILURE() << "bad Intel HEX record: " << line;
      return memory;
    }
  }
  EXPECT_TRUE(ended) << "no end record";
  return memory;
}

std::vector<uint8_t> seededFill(unsigned seed, size_t n) {
  srand(seed);
  std::vector<uint8_t> bytes(n);
  // Worked out in floating point, independently of the writer's integer
  // arithmetic: floor(r * 255 / 2^31).
  for (uint8_t& b : bytes)
    b = static_cast<uint8_t>(std::floor(rand() * 255.0 / 2147483648.0));
  return bytes;
}

std::string imageText(const ImageSpec& image) {
  int fd = memfd_create("image", 0);
  Output out;
  openOutput(&out, realSystem(), fd, true);
  ImageDriver driver;
  startImage(&driver, image, &out);
  DriveStep step;
  uint64_t bytes;
  while ((step = driveImage(&driver, &bytes)) == DriveStep::kMore) {
  }
  EXPECT_EQ(step, DriveStep::kDone);
  std::string text = fileText(fd);
  close(fd);
  return text;
}

std::string fileText(int fd) {
  std::string text;
  char buffer[65536];
  ssize_t n;
  for (off_t at = 0; (n = pread(fd, buffer, sizeof buffer, at)) > 0; at += n)
    text.append(buffer, static_cast<size_t>(n));
  return text;
}
