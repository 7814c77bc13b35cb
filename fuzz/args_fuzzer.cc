// libFuzzer target: turns its input into a command line and drives the
// argument scan, output naming, address reading, range splitting and record
// writing into a memory stream, then checks every line it wrote.
//
// Input: arguments separated by NUL bytes.  The ranges are passed on as
// read, so that ranges reaching the top of the address space are exercised
// too; instead the stream takes at most 64 KiB of text and then fills up
// like a disk, which the writers must notice and stop at.  So
// each input runs in milliseconds, and a loop that writes nothing forever
// shows up as a timeout.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/address.h"
#include "cli/output_name.h"
#include "cli/scan.h"
#include "srec/fill.h"
#include "srec/srec.h"

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr size_t kCap = 64 * 1024;

// A write-only stream into a string that holds at most kCap bytes, like a
// disk filling up: a write takes what fits, and a write with no room left
// fails with ENOSPC.  A cookie write reports failure by returning 0: glibc
// mishandles a negative count.
ssize_t capturedWrite(void* cookie, const char* data, size_t size) {
  auto* text = static_cast<std::string*>(cookie);
  size_t room = kCap - text->size();
  if (room == 0) errno = ENOSPC;
  size_t taken = size < room ? size : room;
  text->append(data, taken);
  return static_cast<ssize_t>(taken);
}

// Aborts unless text is a run of well-formed records: S and a type digit,
// upper-case hex, a count that matches the length, and a good checksum.
// With partial set, a last line cut short by the cap is let through.
void checkRecords(const std::string& all, bool partial) {
  const char* text = all.data();
  const char* end = text + all.size();
  while (text < end) {
    const char* nl = static_cast<const char*>(memchr(text, '\n', end - text));
    if (nl == nullptr && partial) return;
    if (nl == nullptr || nl - text < 4 || text[0] != 'S' ||
        (nl - text) % 2 != 0)
      abort();
    unsigned sum = 0, count = 0;
    for (const char* p = text + 2; p < nl; p += 2) {
      int hi = hexDigit(p[0]), lo = hexDigit(p[1]);
      if (hi < 0 || lo < 0) abort();
      sum += static_cast<unsigned>(hi * 16 + lo);
      ++count;
    }
    unsigned stated =
        static_cast<unsigned>(hexDigit(text[2]) * 16 + hexDigit(text[3]));
    if (stated + 1 != count || (sum & 0xFF) != 0xFF) abort();
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

  resetSettings();
  seedFill(1);
  int argc = static_cast<int>(args.size());
  Scan scan = scanArguments(argc, argv.data());
  if (scan.stop != ScanStop::kImage) return 0;
  int image = scan.at;
  std::string name = outputName(argv[image], altName);

  std::string text;
  FILE* out =
      fopencookie(&text, "w", {nullptr, capturedWrite, nullptr, nullptr});
  bool ok = writeHeaderRecord(out, name.c_str());
  for (int i = image + 1; ok && i + 1 < argc; i += 2) {
    uint32_t start = 0, end = 0;
    // The tool refuses a bad text before it writes; here the pair is
    // skipped so that the writers still see the pairs around it.
    if (!parseAddress(argv[i], &start) || !parseAddress(argv[i + 1], &end))
      continue;
    ok = wordMode ? writeWordRange(out, start, end)
                  : writeByteRange(out, start, end);
  }
  ok = ok && writeTerminatorRecord(out, 0);
  bool closed = fclose(out) == 0;
  // A failure is only allowed once the stream is full.
  bool capped = !ok || !closed;
  if (capped && text.size() != kCap) abort();
  checkRecords(text, capped);
  if (!capped && text.compare(text.size() - 11, 11, "S9030000FC\n") != 0)
    abort();
  return 0;
}
