// The device profile table.  Each value comes from the family's reference
// manual and its vendor header or programmer source (two independent
// sources each), unless a comment says otherwise.
#include "image/device_profile.h"

#include <strings.h>

#include <algorithm>
#include <initializer_list>
#include <string>

namespace {

using Safe = LockRule::Safe;
using Words = DeviceProfile::Words;

std::vector<uint8_t> erased(size_t n) { return std::vector<uint8_t>(n, 0xFF); }

// bytes, then n more erased ones.
std::vector<uint8_t> then(std::vector<uint8_t> bytes, size_t n) {
  bytes.insert(bytes.end(), n, 0xFF);
  return bytes;
}

LockRule masked(uint32_t mask, uint32_t want, const char* effect) {
  return {Safe::kMasked, mask, want, {}, effect, 0, 0, nullptr};
}
LockRule oneOf(std::vector<uint32_t> values, const char* effect) {
  return {Safe::kOneOf, 0, 0, std::move(values), effect, 0, 0, nullptr};
}
LockRule noneOf(std::vector<uint32_t> values, const char* effect) {
  return {Safe::kNoneOf, 0, 0, std::move(values), effect, 0, 0, nullptr};
}
LockRule allErased(const char* effect) {
  return {Safe::kAllErased, 0, 0, {}, effect, 0, 0, nullptr};
}
LockRule forGood(LockRule rule, uint32_t mask, uint32_t want, const char* how) {
  rule.goodMask = mask;
  rule.goodWant = want;
  rule.forGood = how;
  return rule;
}

// A 16-byte security block that reads as "unsecured": all bytes erased but
// the family's security byte FSEC at offset at, whose value 0xFE clears its
// security bits (SEC = 10).
std::vector<uint8_t> unsecured(size_t at) {
  std::vector<uint8_t> block = erased(16);
  block[at] = 0xFE;
  return block;
}

const char kSecures[] = "secures the part";
// FSEC's SEC bits 10 leave the part unsecured; on Kinetis parts MEEN 10
// disables mass erase as well, and a secured part without mass erase stays
// secured.
LockRule fsec() { return masked(0x03, 0x02, kSecures); }
LockRule kinetisFsec() {
  return forGood(fsec(), 0x30, 0x20,
                 "secures the part and disables mass erase, which nothing "
                 "undoes");
}

// The Kinetis flash configuration field at 0x400 with FSEC at offset fsecAt,
// and the initial stack pointer and reset vector at 0.
std::vector<ProfileBlock> kinetisBlocks(size_t fsecAt) {
  return {{"security block", 0x400, unsecured(fsecAt)},
          {"reset vector", 0x0, erased(8)}};
}

DeviceProfile kinetis(const char* family, const char* parts, uint32_t fsecAt) {
  return {family,
          parts,
          Words::kByRecord,
          kinetisBlocks(fsecAt - 0x400),
          {},
          {{"FSEC", fsecAt, 1, kinetisFsec()}}};
}

// The HCS08 and HCS12 families keep the nonvolatile option block with FSEC
// at its end, and the reset vector at the top of the 64 KiB.
DeviceProfile motorola(const char* family, const char* parts, uint32_t block,
                       uint32_t reset, size_t resetBytes) {
  return {family,
          parts,
          Words::kByRecord,
          {{"security block", block, unsecured(15)},
           {"reset vector", reset, erased(resetBytes)}},
          {},
          {{"FSEC", block + 15, 1, fsec()}}};
}

const char kApProtect[] = "turns access-port protection on";
const char kEraseProtect[] = "turns erase protection on";
const char kEraseForGood[] =
    "turns erase protection on, and with the access port closed nothing can "
    "erase the part again";

// nRF5340 and nRF9160 UICR: APPROTECT, SECUREAPPROTECT and ERASEPROTECT.
// ERASEPROTECT protects for any value but 0xFFFFFFFF, and for good.
ProfileField eraseProtect(uint32_t address) {
  return {"ERASEPROTECT", address, 4,
          forGood(oneOf({0xFFFFFFFF}, kEraseProtect), 0, 0, kEraseForGood)};
}

// The customer configuration of the CC13x0 and CC26x0: TI's own defaults,
// from the older releases of its ccfg.c (later copies in some public trees
// turn the CPU debug port off).  +0x30 BL_CONFIG, +0x34 ERASE_CONF, +0x38
// TI_OPTIONS, +0x3C TAP_DAP_0 (CPU_DAP_ENABLE is its third byte, +0x3E),
// +0x40 TAP_DAP_1, +0x44 IMAGE_VALID, +0x48 the sector protection.
std::vector<uint8_t> ccfg() {
  std::vector<uint8_t> bytes =
      then({0x00, 0x00, 0x80, 0x01, 0x10, 0x00, 0x88, 0xFF, 0xFD, 0xFF, 0x58,
            0x00, 0x3A, 0xFF, 0xBF, 0xF3},
           32);
  for (uint8_t b :
       {0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF,
        0xC5, 0x00, 0xC5, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00})
    bytes.push_back(b);
  return then(bytes, 16);  // 88 bytes in all.
}

DeviceProfile simpleLink(const char* family, const char* parts, uint32_t at,
                         std::vector<uint8_t> bytes) {
  return {family,
          parts,
          Words::kRefused,
          {{"CCFG", at, std::move(bytes)}},
          {},
          {{"ERASE_CONF", at + 0x34, 4,
            masked(0x100, 0x100, "makes the part ignore chip erase")},
           {"CPU_DAP_ENABLE", at + 0x3E, 1,
            oneOf({0xC5}, "turns the CPU debug port off")}}};
}

// The C2000 code security module: a password of eight words, all erased.
DeviceProfile c2000(const char* family, const char* parts, uint32_t word) {
  return {family,
          parts,
          Words::kNeeded,
          {{"CSM password", word, erased(16)}},
          {},
          {{"CSM password", word, 16,
            allErased("sets a code-security password: the part stays "
                      "secured to whoever lacks this image")}}};
}

std::vector<DeviceProfile> makeProfiles() {
  std::vector<DeviceProfile> profiles = {
      motorola("hcs08", "NXP HCS08 (block at 0xFFB0)", 0xFFB0, 0xFFFE, 2),
      motorola("hcs12", "NXP HCS12 (block at 0xFF00)", 0xFF00, 0xFFFE, 2),
      kinetis("kin", "NXP Kinetis (FSEC at 0x40C)", 0x40C),
      kinetis("cfv1", "NXP ColdFire V1 (FSEC at 0x40C)", 0x40C),
      kinetis("s32k", "NXP S32K1xx (FSEC at 0x40C)", 0x40C),
      kinetis("ke", "NXP Kinetis KE0x, KEA (FSEC at 0x40E)", 0x40E),
      motorola("s12z", "NXP S12Z (FSEC at 0xFFFE0F)", 0xFFFE00, 0xFFFFFC, 4),
      // The JTAG signatures at 0xFF80 leave JTAG open while they read
      // 0xFFFFFFFF or 0.
      {"msp430",
       "TI MSP430 FRAM: FR2xx, FR4xx, FR5xx, FR6xx (JTAG open)",
       Words::kByRecord,
       {{"security block", 0xFF80, erased(16)},
        {"reset vector", 0xFFFE, erased(2)}},
       {},
       {{"JTAG signatures", 0xFF80, 4,
         oneOf({0xFFFFFFFF, 0x00000000}, "locks JTAG")}}},
      // Code Read Protection: CRP1, CRP2, NO_ISP and CRP3 protect.
      {"lpc",
       "NXP LPC800, LPC1100, LPC1300, LPC1700, LPC2000, LPC4000 (CRP off)",
       Words::kByRecord,
       {{"security block", 0x2FC, erased(4)}},
       {},
       {{"CRP", 0x2FC, 4,
         forGood(noneOf({0x12345678, 0x87654321, 0x4E697370, 0x43218765},
                        "turns code read protection on"),
                 0xFFFFFFFF, 0x43218765,
                 "sets CRP3, which shuts the debugger and ISP out for "
                 "good")}}},
      motorola("s08p", "NXP S08PA, S08PT, S08PL (FSEC at 0xFF7F)", 0xFF70,
               0xFFFE, 2),
      {"nrf51",
       "Nordic nRF51",
       Words::kRefused,
       {{"UICR", 0x10001000, erased(12)}},  // CLENR0, RBPCONF, XTALFREQ.
       {},
       {{"RBPCONF", 0x10001004, 4,
         masked(0xFFFF, 0xFFFF, "turns read-back protection on")}}},
      {"nrf52",
       "Nordic nRF52805 to nRF52840",
       Words::kRefused,
       {{"UICR", 0x10001200, erased(272)}},
       {},
       {{"APPROTECT", 0x10001208, 4, masked(0xFF, 0xFF, kApProtect)},
        {"REGOUT0", 0x10001304, 4,
         masked(0x7, 0x7, "raises the regulator output above 1.8 V")}}},
      // APPROTECT and SECUREAPPROTECT open the access port only while they
      // hold 0x50FA50FA (HwDisabled).
      {"nrf53",
       "Nordic nRF5340",
       Words::kRefused,
       {{"APPROTECT", 0x00FF8000, {0xFA, 0x50, 0xFA, 0x50}},
        {"SECUREAPPROTECT", 0x00FF801C, {0xFA, 0x50, 0xFA, 0x50}},
        {"ERASEPROTECT", 0x00FF8020, erased(4)},
        {"network core APPROTECT", 0x01FF8000, {0xFA, 0x50, 0xFA, 0x50}}},
       {},
       {{"APPROTECT", 0x00FF8000, 4, oneOf({0x50FA50FA}, kApProtect)},
        {"SECUREAPPROTECT", 0x00FF801C, 4, oneOf({0x50FA50FA}, kApProtect)},
        eraseProtect(0x00FF8020),
        {"network core APPROTECT", 0x01FF8000, 4,
         oneOf({0x50FA50FA}, kApProtect)}}},
      {"nrf91",
       "Nordic nRF9160 (not nRF9161 or nRF9151)",
       Words::kRefused,
       {{"APPROTECT", 0x00FF8000, erased(4)},
        {"SECUREAPPROTECT", 0x00FF802C, erased(4)},
        {"ERASEPROTECT", 0x00FF8030, erased(4)}},
       {},
       {{"APPROTECT", 0x00FF8000, 4, oneOf({0xFFFFFFFF}, kApProtect)},
        {"SECUREAPPROTECT", 0x00FF802C, 4, oneOf({0xFFFFFFFF}, kApProtect)},
        eraseProtect(0x00FF8030)}},
      // The option bytes, as Keil puts them into hex files: each byte is
      // followed by its complement; RDP 0xAA (0xA5 on F1) is level 0.
      {"stm32f0",
       "STM32F0, STM32F3 (option bytes in the hex file)",
       Words::kRefused,
       {{"option bytes",
         0x1FFFF800,
         {0xAA, 0x55, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF,
          0x00, 0xFF, 0x00, 0xFF, 0x00}}},
       {},
       {{"RDP", 0x1FFFF800, 2,
         forGood(oneOf({0x55AA},
                       "turns read protection on (undoing it "
                       "erases the flash)"),
                 0xFFFF, 0x33CC,
                 "sets read protection level 2, which nothing undoes")}}},
      {"stm32f1",
       "STM32F1 (option bytes in the hex file)",
       Words::kRefused,
       {{"option bytes",
         0x1FFFF800,
         {0xA5, 0x5A, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF,
          0x00, 0xFF, 0x00, 0xFF, 0x00}}},
       {},
       {{"RDP", 0x1FFFF800, 2,
         oneOf({0x5AA5},
               "turns read protection on (undoing it erases the "
               "flash)")}}},
      // Five option words, each half the complement of the other; words 1
      // to 4 are from one vendor source only.
      {"stm32l0",
       "STM32L0 (option bytes in the hex file)",
       Words::kRefused,
       {{"option bytes", 0x1FF80000, {0xAA, 0x00, 0x55, 0xFF, 0x70, 0x80, 0x8F,
                                      0x7F, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00,
                                      0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF}}},
       {},
       {{"RDP", 0x1FF80000, 4,
         forGood(masked(0x00FF00FF, 0x005500AA, "turns read protection on"),
                 0x00FF00FF, 0x003300CC,
                 "sets read protection level 2, which nothing undoes")}}},
      {"pic18",
       "Microchip PIC18 (not the J series)",
       Words::kRefused,
       {{"configuration", 0x300000, erased(14)}},
       {},
       {{"CONFIG4L", 0x300006, 1,
         masked(0x04, 0x04, "turns low-voltage programming off")}}},
      {"pic32mx",
       "Microchip PIC32MX (all six places of DEVCFG3..DEVCFG0)",
       Words::kRefused,
       {},
       {},
       {}},
      {"efm32",
       "Silicon Labs EFM32, EFR32 Series 0 and 1",
       Words::kRefused,
       {{"lock-bits page", 0x0FE04000, erased(512)}},
       {},
       {}},
      simpleLink("cc13x0", "TI CC1310, CC1350 (128 KiB)", 0x1FFA8, ccfg()),
      simpleLink("cc26x0", "TI CC2640, CC2650 (128 KiB)", 0x1FFA8, ccfg()),
      simpleLink("cc26x2", "TI CC13x2, CC26x2 (352 KiB)", 0x57FA8, ccfg()),
      {"msp430f5",
       "TI MSP430F5xx, MSP430F6xx (flash)",
       Words::kRefused,
       {},
       {{0x1000, 0x17FF,
         "the factory bootloader, its signatures and the JTAG key"}},
       {}},
      {"mspm0",
       "TI MSPM0",
       Words::kRefused,
       {},
       {{0x41C00000, 0x41C003FF, "NONMAIN: boot and bootloader configuration"}},
       {}},
      {"avr",
       "Microchip AVR (ELF and hex pseudo-addresses)",
       Words::kRefused,
       {},
       {{0x820000, 0x83FFFF, "fuses and lock bits"}},
       {}},
      // The control code at 0xFFFFFFA3 turns ID-code protection on for any
      // value but 0x45 and 0x52.
      {"rx",
       "Renesas RX610, RX62x, RX63x",
       Words::kRefused,
       {{"ID code", 0xFFFFFFA0, erased(16)}},
       {},
       {{"control code", 0xFFFFFFA3, 1,
         noneOf({0x45, 0x52}, "turns ID-code protection on")}}},
      c2000("f2833x", "TI C2000 F2833x, F2823x (word-addressed, with -word)",
            0x33FFF8),
      c2000("f2806x", "TI C2000 F2802x, F2806x (word-addressed, with -word)",
            0x3F7FF8),
  };
  for (DeviceProfile& profile : profiles) {
    const std::string family = profile.family;
    if (family == "pic18") {
      // CONFIG5L to CONFIG7H: a cleared bit of the mask protects.
      const char* names[] = {"CONFIG5L", "CONFIG5H", "CONFIG6L",
                             "CONFIG6H", "CONFIG7L", "CONFIG7H"};
      const uint32_t masks[] = {0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
      for (uint32_t i = 0; i < 6; ++i)
        profile.fields.push_back(
            {names[i], 0x300008 + i, 1,
             masked(masks[i], masks[i],
                    "turns code, data or write protection on")});
    } else if (family == "pic32mx") {
      // MX3xx to MX7xx and MX1x/2x 5x/7x, then the 28- to 44-pin MX1xx and
      // MX2xx; each at its physical, cached and uncached address.  A clear
      // CP bit of DEVCFG0 turns code protection on.
      for (uint32_t at : {0x1FC02FF0u, 0x9FC02FF0u, 0xBFC02FF0u, 0x1FC00BF0u,
                          0x9FC00BF0u, 0xBFC00BF0u}) {
        profile.blocks.push_back({"DEVCFG3..DEVCFG0", at, erased(16)});
        profile.fields.push_back(
            {"DEVCFG0", at + 12, 4,
             masked(0x10000000, 0x10000000,
                    "turns code protection on (only a chip erase undoes "
                    "it)")});
      }
    } else if (family == "efm32") {
      // The last word, DLW, locks the debug port; every other word locks
      // flash pages, the user page or mass erase.
      for (uint32_t at = 0x0FE04000; at < 0x0FE041FC; at += 4)
        profile.fields.push_back(
            {"lock word", at, 4,
             oneOf({0xFFFFFFFF},
                   "locks flash pages, the user page or mass erase")});
      profile.fields.push_back(
          {"DLW", 0x0FE041FC, 4,
           masked(0xF, 0xF,
                  "locks the debug port (a device erase undoes "
                  "it)")});
    } else if (family == "cc26x0") {
      profile.blocks[0].bytes[0x06] = 0x82;
    } else if (family == "cc26x2") {
      std::vector<uint8_t>& bytes = profile.blocks[0].bytes;
      bytes[0x06] = 0x80;
      bytes[0x0E] = 0xBB;
      bytes[0x3C] = 0x00;
      bytes[0x3D] = 0xC5;
      bytes[0x3E] = 0xC5;
      bytes[0x3F] = 0xFF;
    }
    std::stable_sort(profile.fields.begin(), profile.fields.end(),
                     [](const ProfileField& a, const ProfileField& b) {
                       return a.address < b.address;
                     });
  }
  return profiles;
}

}  // namespace

const std::vector<DeviceProfile>& deviceProfiles() {
  static const std::vector<DeviceProfile> kProfiles = makeProfiles();
  return kProfiles;
}

const DeviceProfile* findDeviceProfile(const char* arg) {
  if (arg[0] != '-') return nullptr;
  for (const DeviceProfile& profile : deviceProfiles()) {
    if (strcasecmp(arg + 1, profile.family) == 0) return &profile;
  }
  return nullptr;
}
