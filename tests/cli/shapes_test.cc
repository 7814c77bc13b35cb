// End-to-end tests of the record shapes a loader under test may need:
// length, address size, start address, count record, line ends, header.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "cli/tool_runner.h"
#include "srec_reader.h"

namespace {

using Shapes = ToolTest;

TEST_F(Shapes, CutAndFrameTheRecordsAsAsked) {
  struct Case {
    std::vector<std::string> args;  // Before "app" and the pairs.
    std::vector<std::string> pairs;
    Layout layout;      // Of the data records.
    std::string types;  // Of all records, in order.
    std::string tail;   // All the lines after the data, with LF line ends.
    std::string info;   // In srec_info's report, where srecord is present.
  } cases[] = {
      // clang-format off
      // A record never crosses a multiple of the length, nor of 0x10000.
      {{"-reclen", "16"}, {"8", "0x2F"}, {{8, 8}, {0x10, 16}, {0x20, 16}},
       "01119", "S9030000FC\n", ""},
      {{"-reclen", "250"}, {"0", "499"}, {{0, 250}, {250, 250}}, "0119",
       "S9030000FC\n", "Data:   0000 - 01F3"},
      {{"-reclen", "3"}, {"0xFFFC", "0x10004"},
       {{0xFFFC, 3}, {0xFFFF, 1}, {0x10000, 2}, {0x10002, 3}}, "011229",
       "S9030000FC\n", ""},
      {{"-reclen", "7"}, {"0xFFFFFE", "0x1000002"},
       {{0xFFFFFE, 1}, {0xFFFFFF, 1}, {0x1000000, 3}}, "02239", "S9030000FC\n",
       ""},
      // Across stretches of bytes and a slice, which cut no record: no
      // record starts on a multiple of the length after the slice ends.
      {{"-reclen", "7"}, {"5", "0x10FFFF"}, {}, "", "S9030000FC\n", ""},
      {{"-word", "-reclen", "8"}, {"0", "9"}, {{0, 8}, {4, 8}, {8, 4}}, "01119",
       "S9030000FC\n", ""},
      // -align cuts the records of the widened ranges, whose shared bytes
      // the first takes; with -word it counts words.
      {{"-align", "8"}, {"0x08000002", "0x0800000D"}, {{0x08000000, 16}},
       "039", "S9030000FC\n", ""},
      {{"-align", "16"}, {"0x100", "0x104", "0x10A", "0x112"},
       {{0x100, 10}, {0x10A, 22}}, "0119", "S9030000FC\n", ""},
      {{"-word", "-align", "4"}, {"1", "2"}, {{0, 8}}, "019", "S9030000FC\n",
       ""},
      {{"-ihex", "-reclen", "255"}, {"0xFFF0", "0x1000F"},
       {{0xFFF0, 15}, {0xFFFF, 1}, {0x10000, 16}}, "", ":00000001FF\n",
       "Data:   00FFF0 - 01000F"},
      {{"-ihex", "-reclen", "9"}, {"0xFFF3", "0x10FFFF"}, {}, "",
       ":00000001FF\n", ""},
      // The smallest address field, and a terminator that matches it.
      {{"-addrsize", "3"}, {"0", "3"}, {{0, 4}}, "029", "S9030000FC\n", ""},
      {{"-addrsize", "4", "-entry", "0"}, {"0", "3"}, {{0, 4}}, "037",
       "S70500000000FA\n", ""},
      {{"-entry", "0"}, {"0xFFFF", "0x10000"}, {{0xFFFF, 1}, {0x10000, 1}},
       "0128", "S804000000FB\n", ""},
      {{"-entry", "0x1234"}, {"0", "0"}, {}, "019", "S9031234B6\n",
       "Execution Start Address: 00001234"},
      {{"-entry", "0x123456"}, {"0", "0"}, {}, "018", "S8041234565F\n", ""},
      {{"-entry", "-1"}, {"0", "0"}, {}, "017", "S705FFFFFFFFFE\n", ""},
      {{"-ihex", "-entry", "0x12345678"}, {"0", "0"}, {}, "",
       ":0400000512345678E3\n:00000001FF\n", "Execution Start Address: 12345678"},
      // Count records: S5 up to 65535 data records, S6 beyond.
      {{"-count", "-reclen", "1"}, {"0", "65534"}, {}, "",
       "S503FFFFFE\nS9030000FC\n", "Data:   0000 - FFFE"},
      {{"-count", "-reclen", "1"}, {"0", "65535"}, {}, "",
       "S604010000FA\nS9030000FC\n", ""},
      {{"-count"}, {"0", "0"}, {}, "0159", "S5030001FB\nS9030000FC\n", ""},
      // CR LF, and a header of the image's own.
      {{"-crlf", "-header", ""}, {"0", "0"}, {{0, 1}}, "019", "S9030000FC\n",
       ""},
      {{"-crlf", "-ihex"}, {"0", "0"}, {{0, 1}}, "", ":00000001FF\n", ""},
      {{"-header", "boot v1.0"}, {"0", "0"}, {}, "019", "S9030000FC\n",
       "Header: \"boot v1.0\""},
      // clang-format on
  };
  const bool srecord = haveProgram("srec_info");
  if (!srecord) std::cout << "srec_info is not installed: not read with it\n";
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back("app");
    args.insert(args.end(), c.pairs.begin(), c.pairs.end());
    auto given = [&c](const char* word) {
      return std::find(c.args.begin(), c.args.end(), word) != c.args.end();
    };
    const std::string name = given("-ihex") ? "app.hex" : "app.sx";
    ASSERT_EQ(run(args).status, 0) << c.args[0];
    std::string text = file(name), lf = text;  // lf: with LF line ends.
    for (size_t at; (at = lf.find("\r\n")) != std::string::npos;)
      lf.erase(at, 1);
    EXPECT_EQ(lf != text, given("-crlf")) << c.args[0];
    // Everything after the last data record: S1/S2/S3, or Intel HEX 00.
    size_t tail = 0;
    for (size_t at = 0; at < lf.size(); at = lf.find('\n', at) + 1) {
      const bool data = given("-ihex") ? lf.compare(at + 7, 2, "00") == 0
                                       : lf[at + 1] >= '1' && lf[at + 1] <= '3';
      if (data) tail = lf.find('\n', at) + 1;
    }
    EXPECT_EQ(lf.substr(tail), c.tail) << c.args[0];
    Layout layout;
    std::string types;
    if (given("-ihex")) {
      memoryOfIntelHex(text, &layout);
    } else {
      std::vector<Record> records = readRecords(text);
      for (const Record& record : records) types += record.type;
      layout = layoutOf(text);
      auto header = std::find(c.args.begin(), c.args.end(), "-header");
      std::string s0(records[0].data.begin(), records[0].data.end());
      EXPECT_TRUE(header == c.args.end() || s0 == header[1]) << s0;
    }
    EXPECT_TRUE(c.types.empty() || types == c.types) << types;
    EXPECT_TRUE(c.layout.empty() || layout == c.layout) << c.args[0];
    // Every record starts at a range's start (widened with -align), or on
    // a multiple of the length or of 0x10000, and takes up where the one
    // before ended.
    auto length = std::find(c.args.begin(), c.args.end(), "-reclen");
    auto align = std::find(c.args.begin(), c.args.end(), "-align");
    const uint64_t unit = given("-word") ? 2 : 1;
    const uint64_t per =
        (length == c.args.end() ? 32 : std::stoul(length[1])) / unit;
    std::set<uint64_t> starts;
    for (size_t i = 0; i < c.pairs.size(); i += 2)
      starts.insert({std::stoul(c.pairs[i], nullptr, 0),
                     std::stoul(c.pairs[i], nullptr, 0) &
                         -(align == c.args.end() ? 1 : std::stoul(align[1]))});
    uint64_t next = *starts.begin();
    for (const auto& [address, size] : layout) {
      EXPECT_EQ(address, next) << c.args[0];
      EXPECT_TRUE(starts.count(address) || address % per == 0 ||
                  address % 0x10000 == 0)
          << c.args[0] << " " << address;
      next = address + size / unit;
    }
    if (!srecord || given("-word")) continue;
    ToolRun info = runProgram(
        {"srec_info", name, given("-ihex") ? "-intel" : "-motorola"}, dir_);
    EXPECT_EQ(info.status, 0) << c.args[0] << info.err;
    EXPECT_EQ(info.err, "") << c.args[0];
    EXPECT_NE(info.out.find(c.info), std::string::npos) << info.out;
  }
}

// The bytes -align adds hold the erased value, or a block's where one lies,
// take no draws, never replace a range's byte, and count in a check
// region; S-records and -bin agree.
TEST_F(Shapes, AlignAddsErasedBytesThatTakeNoDraws) {
  const std::vector<std::string> kCheck = {"-crc", "sum8:0x500:0x3F0:0x40F"};
  const struct {
    unsigned align;
    std::vector<std::string> args;  // The options, "app" and the pairs.
  } cases[] = {
      {8, {"app", "0x102", "0x10D"}},
      {16, {"app", "0x100", "0x104", "0x10A", "0x112"}},
      {16, {"-kin", "app", "0x3F8", "0x401"}},
      {16,
       {"-kin", kCheck[0], kCheck[1], "app", "0x3F8", "0x401", "0x500",
        "0x503"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"-q", "-seed", "3"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    ASSERT_EQ(run(args).status, 0);
    const Memory plain = memoryOf(file("app.sx"));
    args.insert(args.begin(), {"-align", std::to_string(c.align)});
    ASSERT_EQ(run(args).status, 0);
    const Memory padded = memoryOf(file("app.sx"));
    args.insert(args.begin(), "-bin");
    ASSERT_EQ(run(args).status, 0);
    const std::string bin = file("app.bin");
    const bool kin = c.args[0] == "-kin";
    std::set<uint32_t> widened;
    for (auto p = std::find(c.args.begin(), c.args.end(), "app") + 1;
         p != c.args.end(); p += 2)
      for (uint32_t a = std::stoul(*p, nullptr, 0) & -c.align;
           a <= (std::stoul(p[1], nullptr, 0) | (c.align - 1)); ++a)
        widened.insert(a);
    ASSERT_EQ(padded.size(), widened.size()) << c.args.back();
    unsigned sum = 0;
    for (uint32_t a = 0x3F0; a <= 0x40F; ++a)
      sum += padded.count(a) ? padded.at(a) : 0xFF;
    for (const auto& [a, byte] : padded) {
      EXPECT_EQ(widened.count(a), 1u) << a;
      const int erased = kin && a == 0x40C ? 0xFE : 0xFF;
      EXPECT_EQ(byte, a == 0x500 && c.args.size() > 5 ? sum & 0xFF
                      : plain.count(a)                ? plain.at(a)
                                                      : erased)
          << c.args.back() << " " << a;
      EXPECT_EQ(static_cast<uint8_t>(bin.at(a - padded.begin()->first)), byte);
    }
  }
}

}  // namespace
