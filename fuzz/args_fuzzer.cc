// libFuzzer target: turns its input into a command line, reads it as the
// tool does, writes the image it describes into a memory file, then checks
// every line it wrote.
//
// Input: arguments separated by NUL bytes.  The ranges are passed on as
// read, so that ranges reaching the top of the address space are exercised
// too; instead the file takes at most 64 KiB and then fills up like a disk,
// which the writer must notice and stop at.  So each input runs in
// milliseconds, and a loop that writes nothing forever shows up as a
// timeout.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/command.h"
#include "image/driver.h"

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr size_t kCap = 64 * 1024;

// A memory file that holds at most kCap bytes, like a disk filling up: a
// write takes what fits, and a write with no room left fails.
int cappedFile() {
  int fd = memfd_create("image", MFD_ALLOW_SEALING);
  if (fd < 0 || ftruncate(fd, kCap) != 0 ||
      fcntl(fd, F_ADD_SEALS, F_SEAL_GROW | F_SEAL_SHRINK) != 0)
    abort();
  return fd;
}

// Aborts unless text is a run of well-formed records: S and a type digit
// (or ':' for Intel HEX), upper-case hex, a count that matches the length,
// a good checksum, no more data bytes than shape allows, and the line end
// it asks for.  With partial set, a last line cut short by the cap is let
// through.
void checkRecords(const std::string& all, bool intelHex, bool partial,
                  const RecordShape& shape) {
  const char* text = all.data();
  const char* end = text + all.size();
  while (text < end) {
    const char* nl = static_cast<const char*>(memchr(text, '\n', end - text));
    if (nl == nullptr && partial) return;
    const char* lineEnd = nl;
    if (nl != nullptr && shape.crlf && (nl == text || *--lineEnd != '\r'))
      abort();
    const int head = intelHex ? 1 : 2;  // ":" or "S" and the type.
    if (nl == nullptr || lineEnd - text < 4 ||
        text[0] != (intelHex ? ':' : 'S') || (lineEnd - text - head) % 2 != 0)
      abort();
    unsigned sum = 0, count = 0;
    for (const char* p = text + head; p < lineEnd; p += 2) {
      int hi = hexDigit(p[0]), lo = hexDigit(p[1]);
      if (hi < 0 || lo < 0) abort();
      sum += static_cast<unsigned>(hi * 16 + lo);
      ++count;
    }
    unsigned stated = static_cast<unsigned>(hexDigit(text[head]) * 16 +
                                            hexDigit(text[head + 1]));
    bool good = intelHex ? stated + 5 == count && (sum & 0xFF) == 0
                         : stated + 1 == count && (sum & 0xFF) == 0xFF;
    // Data records: S1, S2, S3 or type 00.
    bool data = intelHex ? text[7] == '0' && text[8] == '0'
                         : text[1] >= '1' && text[1] <= '3';
    unsigned dataBytes = intelHex ? stated : stated - (text[1] - '0') - 2;
    if (!good || (data && dataBytes > shape.length)) abort();
    text = nl + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args{"Tollivex"};
  std::string current;
  for (size_t i = 0; i < size && args.size() < 256; ++i) {
    if (data[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  args.push_back(current);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  argv.push_back(nullptr);

  Command command;
  int argc = static_cast<int>(args.size());
  if (readCommand(argc, argv.data(), &command) != CommandKind::kImage) return 0;
  command.image.seed = 1;
  // A check value placed before its region has the region's bytes made
  // first, which no cap on the file bounds: leave out the inputs whose
  // regions hold more than a few MiB of them.
  uint64_t ahead = 0;
  for (const PlacedCheck& check : command.image.checks) {
    if (check.address > check.start) continue;
    for (const AddressPair& pair : command.image.pairs)
      if (pair.start <= check.end)
        ahead += pairBytes({pair.start, std::min(pair.end, check.end)}, 1);
  }
  if (ahead > (uint64_t{4} << 20)) return 0;

  int fd = cappedFile();
  const ImageSpec& image = command.image;
  Output out;
  openOutput(&out, realSystem(), fd, true);
  static ImageDriver driver;  // It holds a stretch of bytes and its records.
  startImage(&driver, image, &out);
  DriveStep step;
  uint64_t bytes;
  while ((step = driveImage(&driver, &bytes)) == DriveStep::kMore) {
  }
  const bool ok = step == DriveStep::kDone;
  // The only write that may fail is one past the cap, which the sealed
  // file refuses with EPERM.
  if (!ok && outputError(&out) != EPERM) abort();
  uint64_t reach = ok ? outputPosition(&out) : kCap;
  std::string text(kCap, '\0');
  if (pread(fd, &text[0], text.size(), 0) != static_cast<ssize_t>(text.size()))
    abort();
  close(fd);
  uint32_t low = 0, high = 0;
  bool any = imageSpan(image, &low, &high);
  switch (image.format) {
    case ImageFormat::kBinary:
      // All of the span, and nothing past it.
      reach = any ? high - low + uint64_t{1} : 0;
      if (ok && (reach > kCap ||
                 text.find_first_not_of('\0', reach) != std::string::npos))
        abort();
      break;
    case ImageFormat::kTiTxt: {
      // Address lines and lines of hex pairs, and "q" last.
      text.resize(reach);
      for (char c : text)
        if (!(hexDigit(c) >= 0 || c == ' ' || c == '@' || c == '\r' ||
              c == '\n' || c == 'q'))
          abort();
      const size_t tail = image.shape.crlf ? 3 : 2;
      if (ok && (text.size() < tail || text[text.size() - tail] != 'q'))
        abort();
      break;
    }
    case ImageFormat::kVmem: {
      // The comment line, then address lines and lines of hex words.
      text.resize(reach);
      if (text.compare(0, 3, "// ") != 0) abort();
      for (size_t k = text.find('\n') + 1; k != 0 && k < text.size(); ++k)
        if (!(hexDigit(text[k]) >= 0 || text[k] == ' ' || text[k] == '@' ||
              text[k] == '\r' || text[k] == '\n'))
          abort();
      break;
    }
    case ImageFormat::kCArray: {
      // The declarations, then the elements, and "};" last, however the
      // ranges went back and forth.
      text.resize(reach);
      const std::string end = image.shape.crlf ? "};\r\n" : "};\n";
      if (ok && (text.size() < end.size() ||
                 text.compare(text.size() - end.size(), end.size(), end) != 0 ||
                 text.find('\0') != std::string::npos))
        abort();
      break;
    }
    case ImageFormat::kIntelHex:
    case ImageFormat::kSRecord:
      text.resize(reach);
      checkRecords(text, image.format == ImageFormat::kIntelHex, !ok,
                   image.shape);
      // The last line is the end: ":00000001FF", or S7, S8 or S9.
      size_t last = text.rfind('\n', text.size() - 2) + 1;
      bool ended = image.format == ImageFormat::kIntelHex
                       ? text.compare(last, 11, ":00000001FF") == 0
                       : text[last] == 'S' && text[last + 1] >= '7';
      if (ok && !ended) abort();
      break;
  }
  return 0;
}
