// Tests of the lock rules: for each field, a safe value says nothing, an
// unsafe one is warned of, and one that locks the part for good is refused
// unless -allow-brick lets it through with the same words; and of the zones
// a profile keeps out.
#include <gtest/gtest.h>

#include "cli/command.h"
#include "cli/tool_runner.h"
#include "cli/warnings.h"
#include "srec_reader.h"

namespace {

// Reads args as the tool does and warns as it does; returns whether they
// describe an image, and what was said.
std::pair<bool, std::string> verdictOf(std::vector<std::string> args) {
  std::vector<char*> argv{const_cast<char*>("Tollivex")};
  for (std::string& a : args) argv.push_back(&a[0]);
  Command command;
  testing::internal::CaptureStderr();
  const bool image = readCommand(static_cast<int>(argv.size()), argv.data(),
                                 &command) == CommandKind::kImage;
  const bool written = image && warnOfSurprises(command, realSystem()) >= 0;
  return {written, testing::internal::GetCapturedStderr()};
}

TEST(LockRule, WarnsOfWhatLocksAndRefusesWhatLocksForGood) {
  const std::string kSecures = ": it secures the part";
  const std::string kForGood =
      ": it secures the part and disables mass erase, which nothing undoes";
  const std::string kDapAndErase =
      "it turns the debug port off and makes the part ignore chip erase, "
      "which nothing undoes";
  const std::string kProtect =
      "it sets the Protect ID code, which bars reading, writing and the "
      "debugger for good";
  struct Case {
    std::vector<std::string> args;  // The profile, and a range over the field.
    std::string at, safe, unsafe;   // The pin's address and two values.
    std::string says;               // What the unsafe pin sets.
    std::string brick = "", bricks = "";  // A value that locks for good.
  } cases[] = {
      // clang-format off
      {{"-hcs08", "0xFFB0", "0xFFBF"}, "0xFFBF", "7E", "FD", "FSEC (0x0000FFBF) of -hcs08 to 0xFD" + kSecures},
      {{"-hcs12", "0xFF0F", "0xFF0F"}, "0xFF0F", "02", "FF", "FSEC (0x0000FF0F) of -hcs12 to 0xFF" + kSecures},
      {{"-s08p", "0xFF7F", "0xFF7F"}, "0xFF7F", "FE", "00", "FSEC (0x0000FF7F) of -s08p to 0x00" + kSecures},
      {{"-s12z", "0xFFFE0F", "0xFFFE0F"}, "0xFFFE0F", "FA", "F9", "FSEC (0x00FFFE0F) of -s12z to 0xF9" + kSecures},
      {{"-kin", "0x400", "0x40F"}, "0x40C", "7E", "FD", "FSEC (0x0000040C) of -kin to 0xFD" + kSecures,
       "E5", "FSEC (0x0000040C) of -kin to 0xE5" + kForGood},
      {{"-cfv1", "0x40C", "0x40C"}, "0x40C", "BE", "BF", "FSEC (0x0000040C) of -cfv1 to 0xBF" + kSecures,
       "A4", "FSEC (0x0000040C) of -cfv1 to 0xA4" + kForGood},
      {{"-mcf51", "0x40F", "0x40F"}, "0x40F", "FE", "FF", "NVOPT (0x0000040F) of -mcf51 to 0xFF" + kSecures},
      {{"-s32k", "0x40C", "0x40C"}, "0x40C", "FE", "FF", "FSEC (0x0000040C) of -s32k to 0xFF" + kSecures,
       "E7", "FSEC (0x0000040C) of -s32k to 0xE7" + kForGood},
      {{"-ke", "0x40E", "0x40E"}, "0x40E", "FE", "F7", "FSEC (0x0000040E) of -ke to 0xF7" + kSecures,
       "E4", "FSEC (0x0000040E) of -ke to 0xE4" + kForGood},
      {{"-msp430", "0xFF80", "0xFF83"}, "0xFF80", "00000000", "FFFF0000",
       "JTAG signatures (0x0000FF80) of -msp430 to 0x0000FFFF: it locks JTAG"},
      {{"-lpc", "0x2FC", "0x2FF"}, "0x2FC", "12345679", "78563412",
       "CRP (0x000002FC) of -lpc to 0x12345678: it turns code read protection on",
       "65872143", "CRP (0x000002FC) of -lpc to 0x43218765: it sets CRP3, which "
       "shuts the debugger and ISP out for good"},
      {{"-lpc2000", "0x1FC", "0x1FF"}, "0x1FC", "FFFFFFFF", "78563412",
       "CRP (0x000001FC) of -lpc2000 to 0x12345678: it turns code read protection on",
       "65872143", "CRP (0x000001FC) of -lpc2000 to 0x43218765: it sets CRP3, which "
       "shuts the debugger and ISP out for good"},
      {{"-nrf51", "0x10001004", "0x10001007"}, "0x10001004", "FFFF0000", "FEFFFFFF",
       "RBPCONF (0x10001004) of -nrf51 to 0xFFFFFFFE: it turns read-back protection on"},
      {{"-nrf52", "0x10001208", "0x10001304"}, "0x10001208", "FF000000", "FE",
       "APPROTECT (0x10001208) of -nrf52 to 0xFFFFFFFE: it turns access-port protection on"},
      {{"-nrf52", "0x10001208", "0x1000120B"}, "0x10001208", "FF", "5A",
       "APPROTECT (0x10001208) of -nrf52 to 0xFFFFFF5A: it keeps the access port open only on "
       "revisions with hardware APPROTECT; older ones turn protection on"},
      {{"-nrf52", "0x10001304", "0x10001307"}, "0x10001304", "0F", "03",
       "REGOUT0 (0x10001304) of -nrf52 to 0xFFFFFF03: it raises the regulator output above 1.8 V"},
      {{"-nrf53", "0x00FF8000", "0x00FF8003"}, "0x00FF8000", "FA50FA50", "00",
       "APPROTECT (0x00FF8000) of -nrf53 to 0x50FA5000: it turns access-port protection on"},
      {{"-nrf53", "0x00FF801C", "0x00FF801F"}, "0x00FF801F", "50", "FF",
       "SECUREAPPROTECT (0x00FF801C) of -nrf53 to 0xFFFA50FA: it turns access-port protection on"},
      {{"-nrf53", "0x01FF8000", "0x01FF8003"}, "0x01FF8000", "FA", "FB",
       "network core APPROTECT (0x01FF8000) of -nrf53 to 0x50FA50FB: it turns access-port protection on"},
      {{"-nrf53", "0x00FF8020", "0x00FF8023"}, "0x00FF8020", "FFFF", "", "",
       "00", "ERASEPROTECT (0x00FF8020) of -nrf53 to 0xFFFFFF00: it turns erase protection on, "
       "and with the access port closed nothing can erase the part again"},
      {{"-nrf53", "0x00FF8010", "0x00FF8013"}, "0x00FF8010", "FF", "FC",
       "VREGHVOUT (0x00FF8010) of -nrf53 to 0xFFFFFFFC: it sets the high-voltage regulator output above 1.8 V"},
      {{"-nrf53", "0x01FF8004", "0x01FF8007"}, "0x01FF8004", "FFFFFFFF", "", "",
       "FE", "network core ERASEPROTECT (0x01FF8004) of -nrf53 to 0xFFFFFFFE: it turns erase protection on, "
       "and with the access port closed nothing can erase the part again"},
      {{"-nrf91x1", "0x00FF8000", "0x00FF8033"}, "0x00FF802C", "FA50FA50", "FFFFFFFF",
       "SECUREAPPROTECT (0x00FF802C) of -nrf91x1 to 0xFFFFFFFF: it turns access-port protection on",
       "FA50FA5000", "ERASEPROTECT (0x00FF8030) of -nrf91x1 to 0xFFFFFF00: it turns erase "
       "protection on, and with the access port closed nothing can erase the part again"},
      {{"-nrf91", "0x00FF8000", "0x00FF8033"}, "0x00FF802C", "FFFFFFFF", "00",
       "SECUREAPPROTECT (0x00FF802C) of -nrf91 to 0xFFFFFF00: it turns access-port protection on",
       "00000000FF0000FF", "ERASEPROTECT (0x00FF8030) of -nrf91 to 0xFF0000FF: it turns erase "
       "protection on, and with the access port closed nothing can erase the part again"},
      {{"-stm32f0", "0x1FFFF800", "0x1FFFF80F"}, "0x1FFFF800", "AA55", "BB44",
       "RDP (0x1FFFF800) of -stm32f0 to 0x44BB: it turns read protection on (undoing it erases the flash)",
       "CC33", "RDP (0x1FFFF800) of -stm32f0 to 0x33CC: it sets read protection level 2, which nothing undoes"},
      {{"-stm32f0", "0x1FFFF800", "0x1FFFF801"}, "0x1FFFF800", "AA55", "AA00",
       "RDP (0x1FFFF800) of -stm32f0 to 0x00AA: it turns read protection on (undoing it erases the flash)",
       "CCFF", "RDP (0x1FFFF800) of -stm32f0 to 0xFFCC: it sets read protection level 2, which nothing undoes"},
      {{"-stm32f1", "0x1FFFF800", "0x1FFFF801"}, "0x1FFFF800", "A5", "AA",
       "RDP (0x1FFFF800) of -stm32f1 to 0x5AAA: it turns read protection on (undoing it erases the flash)"},
      {{"-stm32l0", "0x1FF80000", "0x1FF80003"}, "0x1FF80000", "AA005500", "BB004400",
       "RDP (0x1FF80000) of -stm32l0 to 0x004400BB: it turns read protection on",
       "CCFF33FF", "RDP (0x1FF80000) of -stm32l0 to 0xFF33FFCC: it sets read protection level 2, "
       "which nothing undoes"},
      {{"-pic18", "0x300000", "0x30000D"}, "0x300006", "04", "FB",
       "CONFIG4L (0x00300006) of -pic18 to 0xFB: it turns low-voltage programming off"},
      {{"-pic18", "0x300008", "0x30000D"}, "0x300008", "FFC0FFE0FF40", "FFC0FFE0FF00",
       "CONFIG7H (0x0030000D) of -pic18 to 0x00: it turns code, data or write protection on"},
      {{"-pic18", "0x300008", "0x300008"}, "0x300008", "FF", "7F",
       "CONFIG5L (0x00300008) of -pic18 to 0x7F: it turns code, data or write protection on"},
      {{"-pic32mx", "0xBFC00BF0", "0xBFC00BFF"}, "0xBFC00BFF", "10", "EF",
       "DEVCFG0 (0xBFC00BFC) of -pic32mx to 0xEFFFFFFF: it turns code protection on "
       "(only a chip erase undoes it)"},
      {{"-efm32", "0x0FE04000", "0x0FE041FF"}, "0x0FE041F8", "FFFFFFFF0F", "FFFFFFFF07",
       "DLW (0x0FE041FC) of -efm32 to 0xFFFFFF07: it locks the debug port (a device erase undoes it)"},
      {{"-efm32", "0x0FE041F8", "0x0FE041FB"}, "0x0FE041F8", "FFFFFFFF", "FFFFFFFE",
       "lock word (0x0FE041F8) of -efm32 to 0xFEFFFFFF: it locks flash pages, the user page or mass erase"},
      {{"-pic18", "0x30000B", "0x30000B"}, "0x30000B", "FF", "DF",
       "CONFIG6H (0x0030000B) of -pic18 to 0xDF: it turns code, data or write protection on"},
      {{"-efm32", "0x0FE04000", "0x0FE041FF"}, "0x0FE04010", "FFFFFFFF", "FFFFFF7F",
       "lock word (0x0FE04010) of -efm32 to 0x7FFFFFFF: it locks flash pages, the user page or mass erase"},
      {{"-cc13x0", "0x1FFA8", "0x1FFFF"}, "0x1FFE6", "C5", "C4",
       "CPU_DAP_ENABLE (0x0001FFE6) of -cc13x0 to 0xC4: it turns the CPU debug port off"},
      {{"-cc26x0", "0x1FFA8", "0x1FFFF"}, "0x1FFDD", "01", "FE",
       "ERASE_CONF (0x0001FFDC) of -cc26x0 to 0xFFFFFEFF: it makes the part ignore chip erase"},
      // Where the image writes ERASE_CONF alone, CPU_DAP_ENABLE stays erased.
      {{"-cc26x0", "0x1FFDC", "0x1FFDF"}, "0x1FFDD", "01", "", "",
       "FE", "ERASE_CONF (0x0001FFDC) of -cc26x0 to 0xFFFFFEFF: " + kDapAndErase},
      {{"-cc13x0", "0x1FFDC", "0x1FFE6"}, "0x1FFDC", "FFFFFFFFFFFFFFFFFFFFC5", "", "",
       "FFFEFFFFFFFFFFFFFFFF00", "ERASE_CONF (0x0001FFDC) of -cc13x0 to 0xFFFFFEFF: " + kDapAndErase},
      {{"-cc26x2", "0x57FF0", "0x57FFF"}, "0x57FFF", "FF", "7F",
       "sector protection (0x00057FF0) of -cc26x2 to other bytes than 0xFF: it write-protects flash sectors"},
      {{"-cc26x2", "0x57FE6", "0x57FE6"}, "0x57FE6", "C5", "00",
       "CPU_DAP_ENABLE (0x00057FE6) of -cc26x2 to 0x00: it turns the CPU debug port off"},
      {{"-rx", "0xFFFFFFA0", "-1"}, "0xFFFFFFA3", "00", "52",
       "control code (0xFFFFFFA3) of -rx to 0x52: it turns ID-code protection on"},
      // The control code in either byte order, and "Protect" in either.
      {{"-rx", "0xFFFFFFA0", "-1"}, "0xFFFFFFA0", "00", "5250726F746563",
       "control code (0xFFFFFFA0) of -rx to 0x52: it turns ID-code protection on",
       "5250726F74656374", "control code (0xFFFFFFA0) of -rx to 0x52: " + kProtect},
      {{"-rx", "0xFFFFFFA0", "-1"}, "0xFFFFFFA0", "6F725000", "", "",
       "6F72505274636574", "control code (0xFFFFFFA3) of -rx to 0x52: " + kProtect},
      {{"-word", "-f2833x", "0x33FFF8", "0x33FFFF"}, "0x33FFFF", "FFFF", "FF7F",
       "CSM password (0x0033FFF8) of -f2833x to other bytes than 0xFF: it sets a code-security "
       "password: the part stays secured to whoever lacks this image"},
      {{"-word", "-f2806x", "0x3F7FF8", "0x3F7FFF"}, "0x3F7FF8", "FF", "00",
       "CSM password (0x003F7FF8) of -f2806x to other bytes than 0xFF: it sets a code-security "
       "password: the part stays secured to whoever lacks this image",
       "00000000000000000000000000000000", "CSM password (0x003F7FF8) of -f2806x to other bytes "
       "than 0xFF: it sets an all-zero password, and the part can be neither debugged nor reprogrammed"},
      // clang-format on
  };
  for (const Case& c : cases) {
    auto run = [&c](const std::string& value, bool allow) {
      std::vector<std::string> args = {"-pin", c.at + "=" + value};
      if (allow) args.push_back("-allow-brick");
      args.insert(args.end(), c.args.begin(), c.args.end() - 2);
      args.insert(args.end(), {"app", c.args.end()[-2], c.args.end()[-1]});
      return verdictOf(args);
    };
    const std::string pin = "-pin '" + c.at + "=";
    EXPECT_EQ(run(c.safe, false), std::make_pair(true, std::string()))
        << c.says;
    if (!c.unsafe.empty()) {
      EXPECT_EQ(run(c.unsafe, false),
                std::make_pair(true, "Tollivex: warning: " + pin + c.unsafe +
                                         "' sets " + c.says + "\n"));
    }
    if (c.brick.empty()) continue;
    const std::string said = pin + c.brick + "' sets " + c.bricks +
                             "; add -allow-brick to write it anyway\n";
    EXPECT_EQ(run(c.brick, false), std::make_pair(false, "Tollivex: " + said));
    EXPECT_EQ(run(c.brick, true),
              std::make_pair(true, "Tollivex: warning: " + said));
  }
  // A field is judged by its last value, for the last pin that sets it.
  EXPECT_EQ(verdictOf({"-kin", "-pin", "0x40C=FD", "-pin", "0x40C=7E", "app",
                       "0x40C", "0x40C"}),
            std::make_pair(true, std::string()));
  EXPECT_EQ(verdictOf({"-kin", "-pin", "0x40C=7E", "-pin", "0x40B=FFFD", "app",
                       "0x40C", "0x40C"})
                .second,
            "Tollivex: warning: -pin '0x40B=FFFD' sets FSEC (0x0000040C) of "
            "-kin to 0xFD: it secures the part\n");
}

// What the part will hold is judged, whatever writes it: the gaps of a
// binary image keep the blocks' bytes, a field covered in part holds the
// erased value in the rest, and a check value is judged by its value.
TEST(LockRule, JudgesEveryByteThePartWillHold) {
  const std::string kErase =
      "it turns erase protection on, and with the access port closed nothing "
      "can erase the part again; add -allow-brick to write it anyway\n";
  const std::string kCrc =
      "-crc 'sum8:0x40C:0x410:0x7FF' sets FSEC (0x0000040C) of -kin to 0xAF: "
      "it secures the part and disables mass erase, which nothing undoes; "
      "add -allow-brick to write it anyway\n";
  const std::string w = "Tollivex: warning: ";
  struct Case {
    std::vector<std::string> args;
    bool image;
    std::string said;
  } cases[] = {
      // clang-format off
      {{"-bin", "-kin", "-erased", "20", "-o", "kb.bin", "0", "0x40B", "0x40D", "0x7FF"}, true, ""},
      {{"-bin", "-kin", "-o", "kb.bin", "0", "0x3FF", "0x410", "0x7FF"}, true, ""},
      {{"-bin", "-lpc", "-erased", "43", "-pin", "0x2FC=658721", "-o", "l.bin", "0", "0x2FE", "0x300", "0x3FF"}, true, ""},
      {{"-lpc", "-erased", "43", "-pin", "0x2FC=658721", "-ihex", "-o", "l.hex", "0", "0x2FE"}, false,
       "Tollivex: -pin '0x2FC=658721' sets CRP (0x000002FC) of -lpc to 0x43218765: it sets CRP3, which "
       "shuts the debugger and ISP out for good; add -allow-brick to write it anyway\n"},
      {{"-bin", "-stm32f0", "-erased", "CC", "-pin", "0x1FFFF801=33", "-o", "s.bin", "0x1FFFF7F0", "0x1FFFF7FF", "0x1FFFF801", "0x1FFFF80F"}, true,
       w + "-pin '0x1FFFF801=33' sets RDP (0x1FFFF800) of -stm32f0 to 0x33AA: it turns read protection on (undoing it erases the flash)\n"},
      {{"-stm32f0", "-erased", "CC", "-pin", "0x1FFFF801=33", "-o", "s.sx", "0x1FFFF801", "0x1FFFF80F"}, false,
       "Tollivex: -pin '0x1FFFF801=33' sets RDP (0x1FFFF800) of -stm32f0 to 0x33CC: it sets read protection level 2, "
       "which nothing undoes; add -allow-brick to write it anyway\n"},
      {{"-bin", "-nrf53", "-erased", "00", "-o", "n.bin", "0x00FF8000", "0x00FF8003", "0x00FF8024", "0x00FF8027"}, true, ""},
      {{"-nrf53", "-erased", "00", "-ihex", "-o", "n.hex", "0x00FF8000", "0x00FF8020"}, false,
       "Tollivex: the erased value where no range covers 0x00FF8021..0x00FF8023 sets ERASEPROTECT (0x00FF8020) "
       "of -nrf53 to 0x000000FF: " + kErase},
      {{"-nrf53", "-erased", "00", "-align", "4", "-o", "n.sx", "0x00FF8023", "0x00FF8023"}, true, ""},
      {{"-nrf53", "-erased", "00", "-o", "n.sx", "0x00FF8023", "0x00FF8023"}, false,
       "Tollivex: the erased value where no range covers 0x00FF8020..0x00FF8022 sets ERASEPROTECT (0x00FF8020) "
       "of -nrf53 to 0xFF000000: " + kErase},
      {{"-nrf53", "-pin", "0x00FF8020=00", "-ihex", "-o", "p.hex", "0x00FF8000", "0x00FF8020"}, false,
       "Tollivex: -pin '0x00FF8020=00' sets ERASEPROTECT (0x00FF8020) of -nrf53 to 0xFFFFFF00: " + kErase},
      {{"-kin", "-seed", "3", "-crc", "sum8:0x40C:0x410:0x7FF", "-o", "kc.sx", "0", "0x7FF"}, false, "Tollivex: " + kCrc},
      // The pins' messages come first, then the check values'.
      {{"-seed", "1", "-nrf53", "-pin", "0x00FF7000=00", "-pin", "0x00FF8000=00", "-crc", "sum8:0x00FF8021:0x00FF7000:0x00FF7FFF",
        "-allow-brick", "-o", "n.sx", "0x00FF7000", "0x00FF8023"}, true,
       w + "-pin '0x00FF8000=00' sets APPROTECT (0x00FF8000) of -nrf53 to 0x50FA5000: it turns access-port protection on\n" +
       w + "-crc 'sum8:0x00FF8021:0x00FF7000:0x00FF7FFF' sets ERASEPROTECT (0x00FF8020) of -nrf53 to 0xFFFFC3FF: " + kErase +
       w + "-crc 'sum8:0x00FF8021:0x00FF7000:0x00FF7FFF' lies in the -nrf53 ERASEPROTECT; the device may be secured\n"},
      {{"-kin", "-seed", "3", "-crc", "sum8:0x40C:0x410:0x7FF", "-allow-brick", "-o", "kc.sx", "0", "0x7FF"}, true,
       w + kCrc + w + "-crc 'sum8:0x40C:0x410:0x7FF' lies in the -kin security block; the device may be secured\n"},
      {{"-kin", "-seed", "2", "-crc", "sum8:0x40C:0x410:0x7FF", "-o", "kc.sx", "0", "0x7FF"}, true,
       w + "-crc 'sum8:0x40C:0x410:0x7FF' sets FSEC (0x0000040C) of -kin to 0x91: it secures the part\n" +
       w + "-crc 'sum8:0x40C:0x410:0x7FF' lies in the -kin security block; the device may be secured\n"},
      {{"-kin", "-seed", "1", "-crc", "sum8:0x40C:0x410:0x7FF", "-o", "kc.sx", "0", "0x7FF"}, true,
       w + "-crc 'sum8:0x40C:0x410:0x7FF' lies in the -kin security block; the device may be secured\n"},
      // A block whose one field is its last byte.
      {{"-hcs08", "-crc", "sum8:0xFFB0:0:0xFF", "-o", "h.sx", "0", "0xFF", "0xFFB0", "0xFFBF"}, true,
       w + "-crc 'sum8:0xFFB0:0:0xFF' lies in the -hcs08 security block; the device may be secured\n"},
      // clang-format on
  };
  for (const Case& c : cases)
    EXPECT_EQ(verdictOf(c.args), std::make_pair(c.image, c.said)) << c.said;
}

TEST(KeptOutZone, NoDataByteLiesThereAndTheRestStaysAsItWas) {
  struct Case {
    std::string word;
    uint32_t first, last;
    std::string what;
  } cases[] = {
      {"-msp430f5", 0x1000, 0x17FF,
       "the factory bootloader, its signatures and the JTAG key"},
      {"-mspm0", 0x41C00000, 0x41C003FF,
       "NONMAIN: boot and bootloader configuration"},
      {"-avr", 0x820000, 0x83FFFF, "fuses and lock bits"},
      {"-nrf54l", 0x00FFD000, 0x00FFDFFF,
       "UICR: protection words, boot configuration, one-time area"},
      {"-stm32f4", 0x1FFFC000, 0x1FFFC00F, "option bytes"},
      {"-stm32f7", 0x1FF0F000, 0x1FF0F41F, "one-time programmable area"},
      {"-stm32l4", 0x1FF00000, 0x1FF0002F, "option bytes"},
      {"-stm32g0", 0x1FFF7800, 0x1FFF787F, "option bytes"},
      {"-stm32g4", 0x1FFFF800, 0x1FFFF82F, "option bytes"},
      {"-stm32l1", 0x1FF80000, 0x1FF800FF, "option bytes"},
      {"-samd", 0x00804000, 0x008041FF,
       "NVM user row: fuses with reserved bits that keep their factory value"},
      {"-lpc55s6x", 0x0009DE00, 0x0009FFFF,
       "protected flash: CFPA, CMPA and its seal, key store, NMPA"},
  };
  for (const Case& c : cases) {
    char range[64];
    snprintf(range, sizeof range, "0x%08X..0x%08X", c.first, c.last);
    const std::string zone = range;
    // Records of 7 bytes, so that the zone's ends fall inside them.
    const std::vector<std::string> pairs = {std::to_string(c.first - 70),
                                            std::to_string(c.last + 70)};
    std::vector<std::string> args = {"-seed",  "3",    "-reclen", "7",
                                     "-count", c.word, "app"};
    args.insert(args.end(), pairs.begin(), pairs.end());
    const auto said = verdictOf(args);
    EXPECT_EQ(said.second, "Tollivex: warning: " + c.word + " keeps " + zone +
                               " out of the image (" + c.what + ")\n");
    const std::string with = imageText(specOf(args));
    args.erase(args.begin() + 5);  // The same without the profile.
    Layout want;
    Memory held = memoryOf(imageText(specOf(args)));
    for (const auto& [address, size] : layoutOf(imageText(specOf(args)))) {
      uint64_t from = address, to = uint64_t{address} + size;  // Outside it.
      if (from <= c.last && to > c.first) {
        if (from < c.first) want.emplace_back(address, c.first - from);
        if (to > c.last + 1) want.emplace_back(c.last + 1, to - c.last - 1);
      } else {
        want.emplace_back(address, size);
      }
    }
    EXPECT_EQ(layoutOf(with), want) << c.word;
    for (uint32_t a = c.first; a <= c.last; ++a) held.erase(a);
    EXPECT_EQ(memoryOf(with), held) << c.word;
    // The count record counts the records left.
    const std::vector<Record> records = readRecords(with);
    EXPECT_EQ(records[records.size() - 2].address, want.size()) << c.word;
    // A binary image would fill the zone; pins and values may not go there.
    EXPECT_EQ(verdictOf({"-bin", c.word, "app", pairs[0], pairs[1]}).second,
              "Tollivex: -bin cannot leave " + zone + " out (" + c.word +
                  " keeps it out); write S-records or Intel HEX, or split the "
                  "ranges around it\n");
    const std::string at = std::to_string(c.last);
    EXPECT_EQ(verdictOf({c.word, "-pin", at + "=62", "app"}).second,
              "Tollivex: -pin '" + at + "=62' lies in " + zone + ", which " +
                  c.word + " keeps out\n");
    EXPECT_EQ(verdictOf({c.word, "-crc", "sum16:" + std::to_string(c.first - 1),
                         "app", "0", "1"})
                  .second,
              "Tollivex: -crc 'sum16:" + std::to_string(c.first - 1) +
                  "' lies in " + zone + ", which " + c.word + " keeps out\n");
  }
  // Leaving the zones alone is the point of a profile that keeps them out.
  for (const DeviceProfile& profile : deviceProfiles()) {
    if (!profile.blocks.empty()) continue;
    std::vector<std::string> args = {"-strict",
                                     "-" + std::string(profile.family)};
    if (profile.words == DeviceProfile::Words::kNeeded) args.push_back("-word");
    args.insert(args.end(), {"app", "0", "0xFF"});
    EXPECT_EQ(verdictOf(args), std::make_pair(true, std::string()))
        << profile.family;
  }
}

}  // namespace
