// End-to-end tests of Intel HEX, raw binary and standard output: each holds
// the bytes of the S-record image of the same command line and seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <tuple>

#include "cli/tool_runner.h"
#include "srec_reader.h"

namespace {

using Formats = ToolTest;

// The S0 record on standard output: the module field and no name.
const char kNamelessHeader[] =
    "S019000044756D6D795352454300000000000000000000000101AB";

TEST_F(Formats, HoldTheBytesOfTheSRecordImage) {
  struct Format {
    const char* option;
    const char* name;
  } formats[] = {{"", "app.sx"}, {"-ihex", "app.hex"}, {"-bin", "app.bin"}};
  struct Case {
    std::vector<std::string> pairs;
    bool rising;       // In rising order without overlap.
    std::string note;  // Of the binary image.
  } cases[] = {
      // Across a 64 KiB boundary, over a pin and a profile block.
      {{"0x400", "0x40F", "0xFFF0", "0x1000F", "0x20000", "0x2001F"},
       true,
       " from 0x00000400"},
      {{"0xFFFFFF00", "0xFFFFFF0F", "0xFFFFFFE0", "-1"},
       true,
       " from 0xFFFFFF00"},
      // Overlapping, out of order: the later range's bytes stand.
      {{"0x10", "0x2F", "0", "0x1F", "0x28", "0x28"},
       false,
       " from 0x00000000"},
      // Down across a 64 KiB boundary.
      {{"0x10000", "0x1000F", "0", "0xF"}, false, " from 0x00000000"},
      {{"5", "4"}, true, ", empty"},
  };
  for (const Case& c : cases) {
    for (const Format& f : formats) {
      std::vector<std::string> args = {"-seed",          "7",  "-kin", "-pin",
                                       "0x10000=C0FFEE", "app"};
      if (*f.option != '\0') args.insert(args.begin(), f.option);
      args.insert(args.end(), c.pairs.begin(), c.pairs.end());
      ToolRun r = run(args);
      ASSERT_EQ(r.status, 0) << r.err;
      bool binary = strcmp(f.option, "-bin") == 0;
      EXPECT_EQ(r.out, "Producing image file: " + std::string(f.name) +
                           (binary ? " (binary" + c.note + ")" : "") + "\n");
      // Standard output carries the same image, with no name in S0.
      *std::find(args.begin(), args.end(), "app") = "-";
      ToolRun s = run(args, {-1, (dir_ + "/stdout").c_str()});
      EXPECT_EQ(s.status, binary && !c.rising ? 1 : 0) << f.name;
      std::string image = file(f.name);
      if (*f.option == '\0')
        image.replace(0, image.find('\n'), kNamelessHeader);
      EXPECT_TRUE(s.status != 0 || file("stdout") == image) << f.name;
      // -o writes the same under the name as given; S0 names it.
      const std::string named = std::string("exact.") + (f.name + 4);
      args.erase(std::find(args.begin(), args.end(), "-"));
      args.insert(args.begin(), {"-o", named});
      EXPECT_EQ(run(args).status, 0) << named;
      std::string exact = file(named);
      if (*f.option == '\0') exact.erase(0, exact.find('\n'));
      if (*f.option == '\0') image.erase(0, image.find('\n'));
      EXPECT_TRUE(exact == image) << named;
    }
    Memory memory = memoryOf(file("app.sx"));
    EXPECT_EQ(memoryOfIntelHex(file("app.hex")), memory) << c.pairs[0];
    // Erased flash where no range reaches, but the -kin blocks' bytes.
    std::string want;
    for (uint64_t a = memory.empty() ? 1 : memory.begin()->first;
         !memory.empty() && a <= memory.rbegin()->first; ++a)
      want += static_cast<char>(memory.count(a) != 0 ? memory[a]
                                : a == 0x40C         ? 0xFE
                                                     : 0xFF);
    EXPECT_TRUE(file("app.bin") == want) << c.pairs[0];
  }
}

// Without a format word, the -o name's extension picks the format; a word
// that a known extension contradicts wins, with a warning.
TEST_F(Formats, TheNameSaysTheFormat) {
  const std::string w = "Tollivex: warning: ";
  struct Case {
    std::vector<std::string> args;  // The last is the name.
    std::string first;  // How the file starts: ":", "S", the first byte.
    std::string err = "";
  } cases[] = {
      {{"-o", "a.hex"}, ":"},
      {{"-o", "a.IHEX"}, ":"},
      {{"-o", "a.ihx"}, ":"},
      {{"-o", "a.Bin"}, "\xD6"},
      {{"-o", "a.s19"}, "S"},
      {{"-o", "a.s28"}, "S"},
      {{"-o", "a.s37"}, "S"},
      {{"-o", "a.srec"}, "S"},
      {{"-o", "a.sx"}, "S"},
      {{"-o", "a.MOT"}, "S"},
      {{"-o", "a.TXT"}, "@"},
      {{"-o", "a.vmem"}, "// a"},
      {{"-o", "a.MEM"}, "// a"},
      {{"-o", "a.c"}, "/* a.c */"},
      {{"-vmem", "-o", "a.c"},
       "// a",
       w + "-vmem writes Verilog memory into a.c\n"},
      {{"-carray", "-o", "a.txt"},
       "/*",
       w + "-carray writes a C array into a.txt\n"},
      {{"-o", "a"}, "S"},
      {{"-o", ".hex"}, "S"},
      {{"-ihex", "-o", "a.hex"}, ":"},
      {{"-ihex", "-o", "fw.s19"},
       ":",
       w + "-ihex writes Intel HEX into fw.s19\n"},
      {{"-bin", "-o", "a.hex"},
       "\xD6",
       w + "-bin writes raw binary into a.hex\n"},
      {{"-bin", "-o", "a.dat"}, "\xD6"},
      {{"-titxt", "-o", "a.bin"}, "@", w + "-titxt writes TI-TXT into a.bin\n"},
      {{"-ihex", "app.s19"}, ":"},  // IMAGEFILE keeps its rule: app.s19.hex.
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"-q", "-seed", "1"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"0", "3"});
    const ToolRun r = run(args);
    const std::string name =
        c.args.back() + (c.args[0] == "-o" || c.args[1] == "-o" ? "" : ".hex");
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_EQ(r.err, c.err) << name;
    EXPECT_EQ(file(name).substr(0, c.first.size()), c.first) << name;
  }
}

// TI-TXT and Verilog memory: "@ADDR" where a run starts (after a gap, or
// a zone kept out), lines cut where records are, hex pairs one space apart;
// "q" last in TI-TXT, the header comment first in Verilog memory.
TEST_F(Formats, TiTxtStartsARunAfterEachGapAndZone) {
  const std::vector<uint8_t> fill = seededFill(1, 0x806);
  auto line = [&fill](size_t from, size_t to, const char* end = "\n") {
    std::string text;
    char pair[4];
    for (size_t i = from; i < to; ++i) {
      snprintf(pair, sizeof pair, i == from ? "%02X" : " %02X", fill[i]);
      text += pair;
    }
    return text + end;
  };
  const std::string vmem = "// app.vmem\n";
  const struct {
    std::vector<std::string> args;
    std::string text;
    const char* name = "app.txt";
  } cases[] = {
      {{"-vmem", "-reclen", "5", "app", "0x10", "0x17", "0x19", "0x19"},
       vmem + "@00000010\n" + line(0, 4) + line(4, 8) + "@00000019\n" +
           line(8, 9),
       "app.vmem"},
      {{"-vmem", "-header", "a\nb", "-crlf", "app", "0x20", "0x20"},
       "// a?b\r\n@00000020\r\n" + line(0, 1, "\r\n"),
       "app.vmem"},
      {{"-vmem", "-msp430f5", "app", "0xFFE", "0x1801"},
       vmem + "@00000FFE\n" + line(0, 2) + "@00001800\n" + line(0x802, 0x804),
       "app.vmem"},
      {{"-titxt", "-reclen", "5", "app", "0x10", "0x17", "0x19", "0x19"},
       "@0010\n" + line(0, 4) + line(4, 8) + "@0019\n" + line(8, 9) + "q\n"},
      {{"-titxt", "-msp430f5", "-reclen", "4", "app", "0xFFE", "0x1801"},
       "@0FFE\n" + line(0, 2) + "@1800\n" + line(0x802, 0x804) + "q\n"},
      {{"-titxt", "app", "0x20", "0x3F"},
       "@0020\n" + line(0, 16) + line(16, 32) + "q\n"},
      {{"-titxt", "-crlf", "app", "0x123450", "0x123450"},
       "@123450\r\n" + line(0, 1, "\r\n") + "q\r\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"-q", "-seed", "1"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    EXPECT_EQ(run(args).status, 0);
    EXPECT_EQ(file(c.name), c.text) << c.args[1];
  }
}

TEST_F(Formats, SrecordReadsTheImagesAndTheirCheckValues) {
  if (!haveProgram("srec_cat"))
    GTEST_SKIP() << "srec_cat is not installed (package srecord)";
  // One image in each text format, with a profile, a gap and a check value.
  for (const char* format : {"-ihex", "-titxt", "-q"}) {
    ASSERT_EQ(run({format, "-seed", "7", "-kin", "-crc", "crc32:0x10", "app",
                   "0", "0x13", "0x400", "0x40F", "0xFFF0", "0x1000F"})
                  .status,
              0);
  }
  EXPECT_EQ(
      runProgram({"srec_cmp", "app.sx", "app.txt", "-ti-txt"}, dir_).status, 0);
  EXPECT_EQ(
      runProgram({"srec_cmp", "app.sx", "app.hex", "-intel"}, dir_).status, 0);
  // srec_cat's CRC-32 and XMODEM CRC-16 of 0..0xFFF agree with ours, also
  // where no range covers 0x800..0xBFF, which counts as erased.
  ASSERT_EQ(run({"-seed", "7", "-crc", "crc32:0x1000:0:0xFFF", "-crc",
                 "crc16-xmodem:0x1004:0:0xFFF", "crc", "0", "0x7FF", "0xC00",
                 "0x1005"})
                .status,
            0);
  Memory ours = memoryOf(file("crc.sx"));
  for (auto [crc, at, size] :
       {std::tuple<std::string, uint32_t, size_t>{"-crc32-l-e 4096", 0x1000, 4},
        {"-crc16-l-e 4100 -xmodem", 0x1004, 2}}) {
    ToolRun theirs = runProgram(
        {"sh", "-c",
         "srec_cat crc.sx -fill 0xFF 0 0x1000 -crop 0 0x1000 " + crc +
             " -crop " + std::to_string(at) + " " + std::to_string(at + size) +
             " -offset -" + std::to_string(at) + " -o - -binary"},
        dir_);
    std::string want;
    for (size_t i = 0; i < size; ++i) want += static_cast<char>(ours[at + i]);
    EXPECT_EQ(theirs.out, want) << crc << theirs.err;
  }
}

// Two lines of each reader's own: ranges with a gap, a profile, a pin and a
// check value; and overlapping ranges out of order.
const std::vector<std::string> kReadLines[] = {
    {"-seed", "7", "-kin", "-crc", "crc32:0x10", "app", "0", "0x13", "0x400",
     "0x40F", "0xFFF0", "0x1000F"},
    {"-seed", "7", "-pin", "0x8=C0FFEE", "app", "0x20", "0x3F", "0", "0x27"}};

// What a reader prints of the words of bytes bytes each over memory: each
// word's bytes as hex, most significant first, "xx" where memory has none.
std::string wordsOf(const Memory& memory, uint32_t last, unsigned bytes,
                    bool bigEndian) {
  std::string words;
  char digits[4];
  for (uint32_t a = 0; a <= last; a += bytes) {
    for (unsigned k = 0; k < bytes; ++k) {
      const uint32_t at = a + (bigEndian ? k : bytes - 1 - k);
      snprintf(digits, sizeof digits, "%02x",
               memory.count(at) ? memory.at(at) : 0);
      words += memory.count(at) ? digits : "xx";
    }
    words += '\n';
  }
  return words;
}

// $readmemh reads the words of each width where the S-record image has
// their bytes, and leaves every other word unset.
TEST_F(Formats, VerilogReadsTheWordsOfEachWidth) {
  if (!haveProgram("iverilog"))
    GTEST_SKIP() << "iverilog is not installed (package iverilog)";
  for (const std::vector<std::string>& line : kReadLines) {
    ASSERT_EQ(run(line).status, 0);
    const Memory memory = memoryOf(file("app.sx"));
    for (const std::string width : {"8", "16", "32-be"}) {
      std::vector<std::string> args = {"-q",  "-vmem",   "-width",
                                       width, "-reclen", "5"};
      args.insert(args.end(), line.begin(), line.end());
      ASSERT_EQ(run(args).status, 0);
      const unsigned bytes = std::stoul(width) / 8;
      const uint32_t last = memory.rbegin()->first / bytes;
      std::ofstream(dir_ + "/t.v")
          << "module t; reg [" << 8 * bytes - 1 << ":0] m[0:" << last
          << "]; integer i; initial begin $readmemh(\"app.vmem\", m);"
          << " for (i = 0; i <= " << last
          << "; i = i + 1) $display(\"%h\", m[i]); end endmodule\n";
      ASSERT_EQ(runProgram({"iverilog", "-o", "t.vvp", "t.v"}, dir_).status, 0);
      EXPECT_TRUE(runProgram({"vvp", "-n", "t.vvp"}, dir_).out ==
                  wordsOf(memory, last * bytes, bytes, width.size() > 2))
          << width;
    }
  }
}

// The array compiles as C99 and as C++11 without a warning, and holds the
// binary image of the same line in words of each width; no header text
// ends its comment.
TEST_F(Formats, TheCompilersReadTheArrayOfEachWidth) {
  // One program prints the address, the size and every element of the
  // arrays a8, a16 and a32, one a width.
  std::ofstream t(dir_ + "/t.c");
  t << "#include <stdio.h>\n";
  for (const char* a : {"a8", "a16", "a32"})
    t << "#include \"" << a << ".c\"\n";
  t << "#define SHOW(a) printf(\"%08x %u\\n\", (unsigned)a##_address, "
       "(unsigned)a##_size); for (unsigned long i = 0; i < sizeof a / sizeof "
       "a[0]; ++i) printf(\"%0*lx\\n\", (int)(2 * sizeof a[0]), "
       "(unsigned long)a[i]);\n"
    << "int main(void) { SHOW(a8) SHOW(a16) SHOW(a32) return 0; }\n";
  t.close();
  for (const std::vector<std::string>& line : kReadLines) {
    std::vector<std::string> bin = {"-q", "-bin"};
    bin.insert(bin.end(), line.begin(), line.end());
    ASSERT_EQ(run(bin).status, 0);
    Memory memory;  // Both lines start at 0.
    const std::string bytes = file("app.bin");
    for (size_t k = 0; k < bytes.size(); ++k)
      memory[k] = static_cast<uint8_t>(bytes[k]);
    char head[32];
    snprintf(head, sizeof head, "%08x %zu\n", 0u, bytes.size());
    std::string want;
    for (const std::string width : {"8", "16-be", "32"}) {
      std::vector<std::string> args = {
          "-q",      "-carray", "-width",
          width,     "-crlf",   "-header",
          "*/ a /*", "-o",      "a" + std::to_string(std::stoul(width)) + ".c"};
      args.insert(args.end(), line.begin(), line.end());
      args.erase(std::find(args.begin(), args.end(), "app"));
      ASSERT_EQ(run(args).status, 0) << width;
      want += head + wordsOf(memory, bytes.size() - 1, std::stoul(width) / 8,
                             width.size() > 2);
    }
    // A broken array draws an error a byte, each quoting its line: three,
    // unquoted, keep a fault's output small.
    for (const char* compiler : {"cc -std=c99", "c++ -std=c++11 -x c++"}) {
      const ToolRun built =
          runProgram({"sh", "-c",
                      std::string(compiler) +
                          " -Wall -Wextra -Werror -fmax-errors=3 "
                          "-fno-diagnostics-show-caret t.c -o t && ./t"},
                     dir_);
      EXPECT_EQ(built.err, "") << compiler;
      EXPECT_TRUE(built.out == want) << compiler;
    }
  }
}

}  // namespace
