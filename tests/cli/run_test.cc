// End-to-end tests: the built executable, its status, outputs and file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "cli/options.h"
#include "cli/tool_runner.h"
#include "image/device_profile.h"
#include "srec_reader.h"

namespace {

const char kAppHeader[] =
    "S01F000044756D6D7953524543000000000000000000000001016170702E73784B\n";
namespace fs = std::filesystem;
using EndToEnd = ToolTest;

TEST_F(EndToEnd, MisuseSaysWhyAndTouchesNoFile) {
  fs::create_directory(dir_ + "/dir.sx");
  const std::string bad = "bad address text '";
  const std::string expected =
      "': expected a number from -2147483648 to 4294967295 (decimal, 0x "
      "hexadecimal or 0 octal)";
  const std::string reclen = "bad record length '";
  const std::string even =
      "': expected a number from 1 to 250 (255 with -ihex or -titxt), even "
      "with -word";
  const std::string pin = "bad pin '";
  const std::string inside =
      "': expected ADDRESS=HEXBYTES (1 to 256 bytes), such as 0x40C=FE, "
      "inside the address space";
  const std::string crc =
      "': expected KIND:ADDRESS[:START:END], KIND one of crc32, crc32-mpeg2, "
      "crc32c, crc32-stm32, crc16-ccitt, crc16-xmodem, crc16-modbus, "
      "crc16-arc, sum8, sum16, sum32, sum8-neg, sum16-neg, sum32-neg, wsum32, "
      "wsum32-neg, len16, len32 (add -be for big-endian), the value outside "
      "its own region";
  std::vector<std::string> sixtyFive;
  for (int i = 0; i < 65; ++i)
    sixtyFive.insert(sixtyFive.end(), {"-crc", "sum8:" + std::to_string(i)});
  sixtyFive.push_back("app");
  struct Case {
    std::vector<std::string> args;
    std::string reason;
  } cases[] = {
      {{}, "no image file name given"},
      {{"-WORD", "-hcs08", "-alt"}, "no image file name given"},
      {{"-word", "--"}, "no image file name given"},
      // Each way an option is mistyped, and none close.
      {{"-hcs8", "-alt", "app", "0xC000", "0xFFFF"},
       "unknown option '-hcs8'; did you mean '-hcs08' (NXP HCS08)?"},
      // A profile comes from the parts a row serves, never by an edit.
      {{"-NRF9161", "app"},
       "unknown option '-NRF9161'; did you mean '-nrf91x1' (Nordic nRF9151, "
       "nRF9161)?"},
      {{"--IHEX", "app"}, "unknown option '--IHEX'; did you mean '-ihex'?"},
      {{"-Seed=42", "app"},
       "unknown option '-Seed=42'; did you mean '-Seed 42'?"},
      {{"-hixe", "app"}, "unknown option '-hixe'; did you mean '-ihex'?"},
      {{"-seedxyz", "app"}, "unknown option '-seedxyz'"},  // Three edits.
      {{"-x", "app"}, "unknown option '-x'"},
      {{"-o", "x", "-kim", "0", "1"},
       "unknown option '-kim'; did you mean '-bin'?"},
      {{"-o", "x", "0", "1", "-kin"},
       "option '-kin' comes after the address texts; options go first"},
      {{"-alt", "-o", "x.s19", "0", "1"}, "-alt does not apply to -o"},
      {{"-o", "x", "-o", "y"}, "option '-o' given twice"},
      {{"-o", ""}, "bad output name '': expected a file name or -"},
      {{"app", "0", "--HELP"},
       "option '--HELP' comes after the image file name; options go first"},
      {{"app", "0", "0xFF", "0x100"},
       "address texts come in pairs, but 3 were given"},
      {{"app", "1"}, "address texts come in pairs, but 1 was given"},
      {{"-o", "out.hex", "-ihex", "app", "0", "1"},
       "address texts come in pairs, but 3 were given (with -o, every "
       "argument after the options is an address)"},
      {{"-hcs08", "app", "C000", "FFFF"}, bad + "C000" + expected},
      {{"app", "-Kin", "0", "0x7FF"},
       "option '-Kin' comes after the image file name; options go first"},
      {{"app", "0", "1", "2", "0x1O00", "08", "x"}, bad + "0x1O00" + expected},
      {{"-o", "app.s19", "-", "0"}, bad + "-" + expected},
      {{"app", "0", ""}, bad + expected},
      {{"app", "0", "0x100000000"}, bad + "0x100000000" + expected},
      {{"-word", "-seed"}, "option '-seed' needs a value"},
      {{"-seed", "12abc", "app"}, "bad seed text '12abc" + expected},
      {{"-fill", "DEADBEE", "app"},
       "bad fill pattern 'DEADBEE': expected random, keyed or 1 to 16 bytes as "
       "hex "
       "digits, such as FF or DEADBEEF"},
      {{"-pin", "0x40C:FE", "app"}, pin + "0x40C:FE" + inside},
      {{"-pin", "0xFFFFFFFF=FEFEFE", "-word", "app"},
       pin + "0xFFFFFFFF=FEFEFE" + inside},
      {{"-ihex", "-BIN", "app"}, "choose one of -ihex and -bin"},
      {{"-bin", "-word", "app"}, "-word writes S-records only"},
      {{"-bin", "-", "0x10", "0x1F", "0", "0xF"},
       "binary output to standard output needs ranges in rising order "
       "without overlap"},
      {{"-ihex", "-count", "app"}, "-count writes S-records only"},
      {{"-bin", "-addrsize", "3", "app"}, "-addrsize writes S-records only"},
      {{"-ihex", "-header", "x", "app"}, "-header writes S-records only"},
      {{"-reclen", "8", "-bin", "app"}, "-reclen does not apply to -bin"},
      {{"-bin", "-entry", "0", "app"}, "-entry does not apply to -bin"},
      {{"-bin", "-crlf", "app"}, "-crlf does not apply to -bin"},
      {{"-reclen", "251", "app"}, reclen + "251" + even},
      {{"-ihex", "-reclen", "0", "app"}, reclen + "0" + even},
      {{"-word", "-reclen", "15", "app"}, reclen + "15" + even},
      {{"-addrsize", "1", "app"}, "bad address size '1': expected 2, 3 or 4"},
      {{"-entry", "0x1O", "app"}, "bad entry address '0x1O" + expected},
      {{"-header", std::string(253, 'h'), "app"},
       "bad header text: longer than 252 bytes"},
      {{"-reclen"}, "option '-reclen' needs a value"},
      {{"-crc", "crc32:0x10:0:0x1F", "app"},
       "bad crc 'crc32:0x10:0:0x1F': the value at 0x00000010..0x00000013 lies "
       "inside its own region 0x00000000..0x0000001F"},
      {{"-crc", "crc16:0x10", "app"}, "bad crc 'crc16:0x10" + crc},
      {{"-word", "-crc", "sum8:9", "app"}, "-crc does not apply to -word"},
      {{"-crc", "sum8:9", "app", "5", "8", "0", "1"},
       "-crc needs ranges in rising order without overlap"},
      {{"-count", "-reclen", "1", "app", "0", "0xFFFFFF", "0", "0"},
       "-count: 16777217 data records are more than an S6 record holds "
       "(16777215)"},
      {{"-f2833x", "app"}, "-f2833x counts 16-bit words and needs -word"},
      {sixtyFive, "at most 64 -crc values may be given"},
      {{"-crc-model", "x=8,0x7,0,true,true", "app"},
       "bad crc model 'x=8,0x7,0,true,true': expected NAME=WIDTH,POLY,"
       "INIT,REFIN,REFOUT,XOROUT, such as arc=16,0x8005,0,true,true,0"},
      {{"-crc-model", "x=12,0x80F,0,true,true,0", "app"},
       "bad crc model 'x=12,0x80F,0,true,true,0': WIDTH must be 8, 16 or 32"},
      {{"-crc-model", "x=16,0x1FFFF,0,true,true,0", "app"},
       "bad crc model 'x=16,0x1FFFF,0,true,true,0': POLY 0x1FFFF does not fit "
       "16 bits"},
      {{"-crc-model", "x=8,7,0,0,0,0x100", "app"},
       "bad crc model 'x=8,7,0,0,0,0x100': XOROUT 0x100 does not fit 8 bits"},
      {{"-crc-model", "Sum8=8,7,0,0,0,0", "app"},
       "bad crc model 'Sum8=8,7,0,0,0,0': Sum8 is a built-in kind"},
      {{"-crc-model", "crc32-BE=8,7,0,0,0,0", "app"},
       "bad crc model 'crc32-BE=8,7,0,0,0,0': a name may not end in -be"},
      {{"-erased", "0xF", "app"},
       "bad erased value '0xF': expected two hex digits, such as FF or 00"},
      {{"-crc", "x:9", "-crc-model", "y=8,7,0,0,0,0", "app"},
       "bad crc 'x:9" + crc},
      {{"-crc", "crc32:0x10:0:0xF", "-crc", "sum8:0x12:0:0xF", "app", "0",
        "0x13"},
       "the values of -crc 'crc32:0x10:0:0xF' and -crc 'sum8:0x12:0:0xF' "
       "overlap"},
      {{"-crc", "crc32:0x7FFE", "app", "0", "0x7FFF"},
       "-crc 'crc32:0x7FFE' would be cut: 2 of its 4 bytes lie outside every "
       "range"},
      {{"-crc", "sum8:0x10:0x20:0x2F", "-crc", "sum8:0x20:0:0x1F", "-crc",
        "sum8:0x30:0x10:0x10", "app", "0", "0x3F"},
       "-crc 'sum8:0x10:0x20:0x2F' and -crc 'sum8:0x20:0:0x1F' lie in each "
       "other's regions"},
      {{"-crc", "crc32-stm32:0x10:0:6", "app", "0", "0x13"},
       "bad crc 'crc32-stm32:0x10:0:6': crc32-stm32 needs a region of whole "
       "32-bit words"},
      {{"-crc", "LEN16:0x10000:0:0xFFFF", "app", "0", "1"},
       "bad crc 'LEN16:0x10000:0:0xFFFF': len16 needs a region of at most "
       "65535 bytes"},
      {{"-nrf52", "-word", "app"}, "-nrf52 does not apply to -word"},
      {{"-titxt", "-entry", "0", "app"}, "-entry does not apply to -titxt"},
      {{"-titxt", "-count", "app"}, "-count does not apply to -titxt"},
      {{"-titxt", "-header", "x", "app"}, "-header does not apply to -titxt"},
      {{"-addrsize", "3", "-titxt", "app"},
       "-addrsize does not apply to -titxt"},
      {{"-titxt", "-bin", "app"}, "choose one of -titxt and -bin"},
      {{"-titxt", "-word", "app"}, "-word writes S-records only"},
      {{"-titxt", "-reclen", "256", "app"}, reclen + "256" + even},
      {{"-vmem", "-width", "32-BE", "app", "0", "0xF", "2", "0xF"},
       "-width 32-BE needs ranges that start and end on 4-byte boundaries: "
       "0x00000002..0x0000000F does not"},
      {{"-carray", "-width", "16", "app", "0", "2"},
       "-width 16 needs ranges that start and end on 2-byte boundaries: "
       "0x00000000..0x00000002 does not"},
      {{"-vmem", "-width", "32", "-align", "2", "app", "0", "1"},
       "-width 32 needs ranges that start and end on 4-byte boundaries: "
       "0x00000000..0x00000001 does not"},
      {{"-width", "16", "app"}, "-width applies to -vmem and -carray only"},
      {{"-width", "8-be", "app"},
       "bad width '8-be': expected 8, 16, 32, 16-be or 32-be"},
      {{"-vmem", "-entry", "0", "app"}, "-entry does not apply to -vmem"},
      {{"-carray", "-reclen", "256", "app"},
       "bad record length '256': expected a number of words a line from 1 "
       "to 255"},
      {{"-carray", "app", "1", "0"}, "-carray needs a range that holds a byte"},
      {{"-threads", "65", "app"},
       "bad thread count '65': expected a number from 1 to 64"},
      {{"-align", "3", "app"},
       "bad alignment '3': expected a power of two from 2 to 4096"},
      {{"-align", "8192", "app"},
       "bad alignment '8192': expected a power of two from 2 to 4096"},
      {{"-word", "-hcs08", "-align", "4", "app"},
       "-align does not apply to -hcs08 with -word"},
      // Into /dev/null: were it taken, the array would fill the disk.
      {{"-carray", "-o", "/dev/null", "0", "0xFFFFFFFF"},
       "-carray holds at most 4294967295 bytes, and 0x00000000..0xFFFFFFFF "
       "spans 4294967296"},
      {{"-carray", "-o", "-", "0x10", "0x1F", "0", "0xF"},
       "C array output to standard output needs ranges in rising order "
       "without overlap"},
      {{"-carray", "-avr", "app", "0x81FFFF", "0x840000"},
       "-carray cannot leave 0x00820000..0x0083FFFF out (-avr keeps it out); "
       "write S-records or Intel HEX, or split the ranges around it"},
  };
  for (const Case& c : cases) {
    std::ofstream(dir_ + "/app.sx") << "kept\n";
    ToolRun r = run(c.args);
    EXPECT_EQ(r.status, 1) << c.reason;
    EXPECT_EQ(r.err, "Tollivex: " + c.reason + "\n" + kUsageText);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(file("app.sx"), "kept\n") << c.reason;
    EXPECT_EQ(files(), 2u) << c.reason;
  }
  // A profile comes from the parts a row serves (the longest start), the
  // one word a word starts, or the word but for leading zeros; by no edit.
  const std::pair<const char*, const char*> profiles[] = {
      {"-stm32f103", "stm32f1"}, {"-stm32f303", "stm32f0"},
      {"-lpc2148", "lpc2000"},   {"-lpc1768", "lpc"},
      {"-s32k144", "s32k"},      {"-mkl25z", "kin"},
      {"-mke02z", "ke"},         {"-mcf51jf128", "cfv1"},
      {"-MCF51QE128", "mcf51"},  {"-pic32", "pic32mx"},
      {"-hcs008", "hcs08"},      {"-stm32f10x", "stm32f1"},
      {"-nrf52832", "nrf52"},    {"-kinetis", "kin"},
      {"-stm32l5", nullptr},     {"-stm32h7", nullptr},
      {"-nrf5", nullptr},        {"-nvr", nullptr},
  };
  for (const auto& [word, family] : profiles) {
    const std::string said = run({word, "app"}).err;
    std::string want = std::string("Tollivex: unknown option '") + word + "'";
    if (family != nullptr)
      want += std::string("; did you mean '-") + family + "' (" +
              findDeviceProfile((std::string("-") + family).c_str())->parts +
              ")?";
    EXPECT_EQ(said.substr(0, said.find('\n')), want);
  }
}

// The parser, --help and the completion know the same option words: the
// table's, and beyond them only "--" (and "-" for standard output).
TEST_F(EndToEnd, TheHelpAndTheCompletionShowEveryOptionWordAndNoOther) {
  const std::vector<std::string> table = optionWords();
  std::set<std::string> words(table.begin(), table.end());
  for (const std::string& word : words) EXPECT_TRUE(isOptionWord(word.c_str()));
  // Every option word the help names, in its rows or their texts.
  std::set<std::string> help = {"--"};
  const std::string text = run({"--help"}).out;
  const std::regex word("(^|[ ,(])(--?[a-z][a-z0-9-]*)");
  for (auto m = std::sregex_iterator(text.begin(), text.end(), word);
       m != std::sregex_iterator(); ++m)
    help.insert((*m)[2]);
  std::set<std::string> withEnd = words;
  withEnd.insert("--");
  EXPECT_EQ(help, withEnd);
  // The completion of a lone '-'.
  const ToolRun completion = runProgram(
      {"bash", "--norc", "--noprofile", "-c",
       "source \"$0\"; PATH=$1:$PATH; COMP_WORDS=(Tollivex -); "
       "COMP_CWORD=1; _Tollivex; printf '%s\\n' \"${COMPREPLY[@]}\"",
       TOLLIVEX_COMPLETION, fs::path(TOLLIVEX_EXE).parent_path().string()},
      dir_);
  std::istringstream offered(completion.out);
  std::set<std::string> completed;
  for (std::string word; offered >> word;) completed.insert(word);
  withEnd.insert("-");
  EXPECT_EQ(completed, withEnd) << completion.err;
}

TEST_F(EndToEnd, AnswersHelpAndVersionCreatingNoFile) {
  const char kHelp[] = "Usage: Tollivex [OPTION]... [--] IMAGEFILE";
  struct Case {
    std::vector<std::string> args;
    const char* stdoutTo;
    int status;
    std::string out, err;  // The help begins with out.
  } cases[] = {
      {{"--help"}, nullptr, 0, kHelp, ""},
      {{"-word", "-kin", "-H", "app", "0", "1"}, nullptr, 0, kHelp, ""},
      {{"-hcs8", "--help"}, nullptr, 0, kHelp, ""},
      {{"-seed", "zz", "-h", "app", "1"}, nullptr, 0, kHelp, ""},
      {{"--VERSION"}, nullptr, 0, "Tollivex " TOLLIVEX_VERSION "\n", ""},
      {{"-hcs8", "--Profiles", "app"}, nullptr, 0, "  -hcs08 ", ""},
      {{"-h"},
       "/dev/full",
       1,
       "",
       "Tollivex: cannot write standard output: No space left on device\n"},
      {{"--version"},
       kReaderGone,
       1,
       "",
       "Tollivex: cannot write standard output: Broken pipe\n"},
  };
  for (const Case& c : cases) {
    ToolRun r = run(c.args, {-1, c.stdoutTo});
    EXPECT_EQ(r.status, c.status) << c.args[0];
    EXPECT_EQ(r.out.substr(0, c.out.size()), c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(files(), 0u);
  }
  // The help names every option word, in lines that fit a terminal, and so
  // does the profile table.
  std::string help = run({"--help"}).out;
  for (const DeviceProfile& profile : deviceProfiles())
    EXPECT_NE(help.find(std::string(" -") + profile.family), std::string::npos)
        << profile.family;
  for (const char* word : {"-ihex",  "-bin",       "-word",        "-alt",
                           "-seed",  "-fill",      "-pin",         "-hcs08",
                           "-hcs12", "-kin",       "-cfv1",        "-ke",
                           "-s12z",  "-msp430",    "-lpc",         "-s08p",
                           "-cfvx",  "-crc",       "-reclen",      "-addrsize",
                           "-entry", "-count",     "-crlf",        "-header",
                           "-titxt", "-no-sync",   "-allow-brick", "-h",
                           "--help", "--profiles", "--version",    "--"})
    EXPECT_NE(help.find(std::string(" ") + word), std::string::npos) << word;
  std::istringstream lines(help + run({"--profiles"}).out);
  for (std::string line; std::getline(lines, line);)  // "×" takes one.
    EXPECT_LE(std::count_if(line.begin(), line.end(),
                            [](char c) { return (c & 0xC0) != 0x80; }),
              79)
        << line;
}

TEST_F(EndToEnd, WarnsAndWritesTheImageAllTheSame) {
  const std::string warning = "Tollivex: warning: ";
  const std::string empty = ": its start lies above its end\n";
  const std::string overlaps = " overlaps an earlier range\n";
  struct Case {
    std::vector<std::string> args;
    std::string err;
    Layout want;
  } cases[] = {
      {{"-word", "app", "0x20", "0x10", "0", "1", "-1", "0"},
       warning + "empty range 0x00000020..0x00000010" + empty + warning +
           "empty range 0xFFFFFFFF..0x00000000" + empty,
       {{0, 4}}},
      {{"app", "0", "0xF", "0x8", "0x17", "0x18", "0x20", "0x10", "0x10"},
       warning + "range 0x00000008..0x00000017" + overlaps + warning +
           "range 0x00000010..0x00000010" + overlaps,
       {{0, 16}, {8, 16}, {0x18, 8}, {0x20, 1}, {0x10, 1}}},
      {{"-hcs08", "-word", "app", "5", "6", "6", "7"},
       warning + "range 0x00000006..0x00000007" + overlaps + warning +
           "with -word, device profile blocks are matched by record address "
           "plus byte index, not at the profile's byte addresses\n",
       {{5, 4}, {6, 4}}},
      // What lands nowhere or re-secures the part, in this order.
      {{"-HCS08", "-pin", "0x2FC=FF", "-pin", "0=AA", "-crc", "sum8:0x9000",
        "app", "0", "0"},
       warning + "no range covers the -hcs08 security block " +
           "0x0000FFB0..0x0000FFBF\n" + warning + "no range covers -pin " +
           "'0x2FC=FF'\n" + warning + "no range covers -crc 'sum8:0x9000'\n",
       {{0, 1}}},
      // A profile replaced, one that pins nothing, and no ranges at all.
      {{"-hcs08", "-KIN", "-cfvx", "app"},
       warning + "-kin replaces -hcs08; one device profile applies\n" +
           warning + "-cfvx pins no bytes\n" + warning +
           "no range covers the -kin security block 0x00000400..0x0000040F\n" +
           warning + "no address ranges given; the image holds no data\n",
       {}},
      // Judged by every byte, not the first alone; a profile given again
      // replaces nothing.
      {{"-hcs08", "-hcs08", "-pin", "0xF=AABB", "app", "0xFFBF", "0xFFBF",
        "0x10", "0x10"},
       "",
       {{0xFFBF, 1}, {0x10, 1}}},
      {{"-kin", "-pin", "0x40B=FFFF", "app", "0x40C", "0x40C"},
       warning + "-pin '0x40B=FFFF' sets FSEC (0x0000040C) of -kin to 0xFF: " +
           "it secures the part\n",
       {{0x40C, 1}}},
      // A field over two ranges that touch is covered whole.
      {{"-lpc", "-pin", "0x2FC=78563412", "app", "0x2FC", "0x2FD", "0x2FE",
        "0x2FF"},
       warning + "-pin '0x2FC=78563412' sets CRP (0x000002FC) of -lpc to " +
           "0x12345678: it turns code read protection on\n",
       {{0x2FC, 2}, {0x2FE, 2}}},
      // A profile covered in one block only says nothing; FSEC's SEC bits
      // 10 leave the part open.
      {{"-hcs08", "-pin", "0xFFBF=7E", "app", "0xFFBF", "0xFFBF", "0xFFFE",
        "0xFFFF"},
       "",
       {{0xFFBF, 1}, {0xFFFE, 2}}},
      {{"-kin", "-pin", "0x40C=FF", "-pin", "0x40D=FF", "-crc",
        "crc16-xmodem:0x40E:0:0x3FF", "app", "0", "0x40F"},
       warning + "-pin '0x40C=FF' sets FSEC (0x0000040C) of -kin to 0xFF: " +
           "it secures the part\n" + warning +
           "-crc 'crc16-xmodem:0x40E:0:0x3FF' lies in the -kin security " +
           "block; the device may be secured\n",
       {}},
  };
  for (const Case& c : cases) {
    ToolRun r = run(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, c.err);
    EXPECT_TRUE(c.want.empty() || layoutOf(file("app.sx")) == c.want);
  }
  // -strict stops at any of them, writing nothing; a name that is a device
  // (a link to one here, so that no fault writes beside the device) is not
  // written beside.
  ASSERT_EQ(mkfifo((dir_ + "/pipe").c_str(), 0600), 0);
  fs::create_symlink("/dev/null", dir_ + "/null");
  struct Strict {
    std::vector<std::string> args;
    std::string err;
  } stopped[] = {
      {{"-strict", "null", "0", "0"},
       warning + "null is a device, not a file; the image goes to null.sx " +
           "(-o null writes to it)\n"},
      {{"-STRICT", "-q", "pipe"},
       warning + "pipe is a FIFO, not a file; the image goes to pipe.sx " +
           "(-o pipe writes to it)\n" + warning +
           "no address ranges given; the image holds no data\n"},
  };
  for (const Strict& c : stopped) {
    ToolRun r = run(c.args);
    const size_t n = std::count(c.err.begin(), c.err.end(), '\n');
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.err + "Tollivex: -strict: " + std::to_string(n) +
                         (n == 1 ? " warning" : " warnings") +
                         "; no image written\n");
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(dir_ + "/pipe.sx") ||
                 fs::exists(dir_ + "/null.sx"));
  }
}

TEST_F(EndToEnd, NamesTheOutputFromTheImageArgument) {
  struct Case {
    std::vector<std::string> args;
    std::string name;
    size_t dataBytes;
  } cases[] = {
      {{"app"}, "app.sx", 0},
      {{"--", "-x"}, "-x.sx", 0},
      {{""}, ".sx", 0},
      {{"-ALT", "app"}, "app_Alt.sx", 0},
      {{"app", "0", "5"}, "app.sx", 6},
      {{"-word", "app", "0", "5"}, "app.sx", 12},
      {{"dir name é", "0", "0"}, "dir name é.sx", 1},
      // Exactly as named, and written where a name is.
      {{"-o", "app.s19", "0", "5"}, "app.s19", 6},
      {{"-o", "-x", "--", "-0x10", "-1"}, "-x", 16},
  };
  for (const Case& c : cases) {
    ToolRun r = run(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Producing image file: " + c.name + "\n");
    EXPECT_EQ(r.err, c.dataBytes != 0 ? ""
                                      : "Tollivex: warning: no address ranges "
                                        "given; the image holds no data\n");
    std::string text = file(c.name);
    EXPECT_EQ(text.substr(text.size() - 12), "\nS9030000FC\n") << c.name;
    size_t bytes = 0;
    for (const Record& rec : dataRecords(text)) bytes += rec.data.size();
    EXPECT_EQ(bytes, c.dataBytes) << c.name;
    fs::remove(dir_ + "/" + c.name);
  }
  // Standard output, by - or by -o -: no file, and no name in S0.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"-seed", "1", "-", "0", "3"},
        {"-seed", "1", "-o", "-", "0", "3"}}) {
    const ToolRun r = run(args);
    EXPECT_EQ(r.out,
              "S019000044756D6D795352454300000000000000000000000101AB\n"
              "S1070000D664C7CB2C\nS9030000FC\n");
    EXPECT_EQ(files(), 0u);
  }
  EXPECT_EQ(run({"app"}).status, 0);
  EXPECT_EQ(file("app.sx"), std::string(kAppHeader) + "S9030000FC\n");
  // A device is written in place; -q says nothing of it.
  for (bool quiet : {false, true}) {
    fs::remove(dir_ + "/app.sx");
    ToolRun r = run(
        quiet ? std::vector<std::string>{"-q", "-o", "/dev/null", "0", "0xFFFF"}
              : std::vector<std::string>{"-o", "/dev/null", "0", "0xFFFF"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, quiet ? "" : "Producing image file: /dev/null\n");
    EXPECT_EQ(files(), 0u);
    // Nothing beside the device, and nothing left behind if a fault made it.
    for (const auto& entry : fs::directory_iterator("/dev")) {
      const std::string name = entry.path().filename().string();
      if (name == "null.sx" || name.rfind(".Tollivex.", 0) == 0) {
        ADD_FAILURE() << "left in /dev: " << name;
        fs::remove(entry.path());
      }
    }
  }
}

TEST_F(EndToEnd, EveryDataByteFollowsTheSeededSequence) {
  SKIP_WITHOUT_FAKETIME();
  std::vector<std::string> args = {"app",  "0xFFB0",   "0xFFFF",    "0x30",
                                   "0x20", "0xFFFFF0", "0x100000F", "0x10",
                                   "0x4F", "0x10",     "0x4F"};
  ToolRun first = run(args, {kFrozen});
  ASSERT_EQ(first.status, 0) << first.err;
  std::string text = file("app.sx");
  ASSERT_EQ(run(args, {kFrozen}).status, 0);
  EXPECT_EQ(file("app.sx"), text);  // Same second, same image.

  std::string types;
  for (const Record& r : dataRecords(text)) types += r.type;
  EXPECT_EQ(types, "11123111111");
  // clang-format off
  EXPECT_EQ(layoutOf(text),
            (Layout{{0xFFB0, 16}, {0xFFC0, 32}, {0xFFE0, 32}, {0xFFFFF0, 16},
                    {0x1000000, 16}, {0x10, 16}, {0x20, 32}, {0x40, 16},
                    {0x10, 16}, {0x20, 32}, {0x40, 16}}));
  // clang-format on
  std::vector<uint8_t> bytes = dataBytes(text);
  EXPECT_EQ(bytes, seededFill(kFrozen, bytes.size()));
}

TEST_F(EndToEnd, ProfilesPinBytesAmongTheSeededFill) {
  ASSERT_EQ(run({"-kin", "app", "0", "7"}).status, 0);
  EXPECT_EQ(file("app.sx"), std::string(kAppHeader) +
                                "S10B0000FFFFFFFFFFFFFFFFFC\nS9030000FC\n");
  // Without a profile the fill never holds 0xFF.
  ASSERT_EQ(run({"app", "0", "7"}).status, 0);
  std::vector<Record> plain = dataRecords(file("app.sx"));
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_EQ(std::count(plain[0].data.begin(), plain[0].data.end(), 0xFF), 0);

  SKIP_WITHOUT_FAKETIME();
  // The last record ends on the first byte of the reset vector.
  ASSERT_EQ(run({"-hcs08", "app", "0xFFB0", "0xFFFE"}, {kFrozen}).status, 0);
  std::vector<uint8_t> want = seededFill(kFrozen, 79);
  std::fill(want.begin(), want.begin() + 15, 0xFF);
  want[15] = 0xFE;
  want[78] = 0xFF;
  EXPECT_EQ(dataBytes(file("app.sx")), want);
}

TEST_F(EndToEnd, AddressesAboveTheSignedRangeAreReached) {
  struct Case {
    std::vector<std::string> args;
    Layout want;
  } cases[] = {
      {{"t", "0xFFFFFFF0", "-1"}, {{0xFFFFFFF0, 16}}},
      {{"t", "0x80000000", "0x8000003F"}, {{0x80000000, 32}, {0x80000020, 32}}},
      {{"t", "-2147483648", "0x8000000F"}, {{0x80000000, 16}}},
      {{"-word", "t", "0xFFFFFFF8", "0xFFFFFFFF"}, {{0xFFFFFFF8, 16}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.args).status, 0);
    for (const Record& r : dataRecords(file("t.sx"))) EXPECT_EQ(r.type, '3');
    EXPECT_EQ(layoutOf(file("t.sx")), c.want);
  }
}

TEST_F(EndToEnd, AFailedWriteIsReported) {
  fs::create_symlink("/dev/full", dir_ + "/full.sx");
  // The 4 GiB range must stop at the first failed write.
  for (const char* end : {"0", "0xFFFFF", "-1"}) {
    ToolRun r = run({"full", "0", end});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Producing image file: full.sx\n");
    EXPECT_EQ(r.err,
              "Tollivex: cannot write full.sx: No space left on device\n");
  }
}

// A check value that would lock the part for good is known before any
// byte goes out: the old file stays, and standard output gets nothing.
TEST_F(EndToEnd, ACheckValueThatLocksForGoodWritesNothing) {
  std::ofstream(dir_ + "/kc.sx") << "kept\n";
  for (const char* to : {"kc.sx", "-"}) {
    ToolRun r = run({"-kin", "-seed", "3", "-crc", "sum8:0x40C:0x410:0x7FF",
                     "-o", to, "0", "0x7FF"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Tollivex: -crc 'sum8:0x40C:0x410:0x7FF' sets FSEC (0x0000040C) "
              "of -kin to 0xAF: it secures the part and disables mass erase, "
              "which nothing undoes; add -allow-brick to write it anyway\n");
    EXPECT_EQ(file("kc.sx"), "kept\n");
    EXPECT_EQ(files(), 1u);
  }
}

TEST_F(EndToEnd, ObjcopyReadsTheImage) {
  if (!haveProgram("objcopy")) GTEST_SKIP() << "objcopy is not installed";
  ASSERT_EQ(run({"app", "0x1005", "0x10FF", "0x1100", "0x1122"}).status, 0);
  std::vector<uint8_t> bytes = dataBytes(file("app.sx"));
  ToolRun conv = runProgram(
      {"objcopy", "-I", "srec", "-O", "binary", "app.sx", "app.bin"}, dir_);
  EXPECT_EQ(conv.status, 0);
  EXPECT_EQ(conv.err, "");
  std::string bin = file("app.bin");
  EXPECT_EQ(std::vector<uint8_t>(bin.begin(), bin.end()), bytes);
  EXPECT_EQ(bytes.size(), 0x1123u - 0x1005u);
}

TEST_F(EndToEnd, MemoryDoesNotGrowWithTheRange) {
  fs::create_symlink("/dev/null", dir_ + "/null.sx");
  ToolRun small = run({"null", "0", "0x3FF"});
  ToolRun big = run({"null", "0", "0x3FFFFFF"});  // 64 MiB
  ASSERT_EQ(big.status, 0);
  EXPECT_LE(big.maxRssKiB, small.maxRssKiB + 1024);
}

}  // namespace
