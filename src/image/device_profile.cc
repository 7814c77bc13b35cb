// The device profile table.  Each value comes from the vendor documents
// that the row's source names: the family's reference manual and its
// vendor header or programmer source, unless a comment says otherwise.
// Where sources disagree, or programmers read an area in different ways,
// the row keeps the area out rather than pin bytes into it.
#include "image/device_profile.h"

#include <strings.h>

#include <initializer_list>

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
  LockRule rule;
  rule.mask = mask;
  rule.want = want;
  rule.effect = effect;
  return rule;
}
LockRule listed(Safe safe, std::vector<uint32_t> values, const char* effect) {
  LockRule rule;
  rule.safe = safe;
  rule.values = std::move(values);
  rule.effect = effect;
  return rule;
}
LockRule oneOf(std::vector<uint32_t> values, const char* effect) {
  return listed(Safe::kOneOf, std::move(values), effect);
}
LockRule noneOf(std::vector<uint32_t> values, const char* effect) {
  return listed(Safe::kNoneOf, std::move(values), effect);
}
LockRule allErased(const char* effect) {
  LockRule rule;
  rule.safe = Safe::kAllErased;
  rule.effect = effect;
  return rule;
}
LockRule forGood(LockRule rule, uint32_t mask, uint32_t want, const char* how) {
  rule.goodMask = mask;
  rule.goodWant = want;
  rule.forGood = how;
  return rule;
}
// For good when the bytes from at on are one of bytes.
LockRule forGoodAs(LockRule rule, uint32_t at,
                   std::vector<std::vector<uint8_t>> bytes, const char* how) {
  rule.goodAt = at;
  rule.goodBytes = std::move(bytes);
  rule.forGood = how;
  return rule;
}
// For good when the field named with is unsafe too.
LockRule forGoodWith(LockRule rule, const char* with, const char* how) {
  rule.with = with;
  rule.forGood = how;
  return rule;
}

// A 16-byte security block that reads as "unsecured": all bytes erased but
// the family's security byte at offset at, whose value 0xFE clears its
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

// The Kinetis flash configuration field at 0x400 with FSEC at fsecAt, and
// the initial stack pointer and reset vector at 0.
DeviceProfile kinetis(const char* family, const char* parts, const char* note,
                      Words words, uint32_t fsecAt,
                      std::vector<const char*> prefixes, const char* source) {
  return {family,
          parts,
          note,
          words,
          {{"security block", 0x400, unsecured(fsecAt - 0x400)},
           {"reset vector", 0x0, erased(8)}},
          {},
          {{"FSEC", fsecAt, 1, kinetisFsec()}},
          std::move(prefixes),
          source};
}

// The HCS08 and HCS12 families keep the nonvolatile option block with FSEC
// at its end, and the reset vector at the top of the 64 KiB.
DeviceProfile motorola(const char* family, const char* parts, const char* note,
                       uint32_t block, uint32_t reset, size_t resetBytes,
                       std::vector<const char*> prefixes, const char* source) {
  return {family,
          parts,
          note,
          Words::kByRecord,
          {{"security block", block, unsecured(15)},
           {"reset vector", reset, erased(resetBytes)}},
          {},
          {{"FSEC", block + 15, 1, fsec()}},
          std::move(prefixes),
          source};
}

// Code Read Protection: CRP1, CRP2, NO_ISP and CRP3 protect.
LockRule crp() {
  return forGood(noneOf({0x12345678, 0x87654321, 0x4E697370, 0x43218765},
                        "turns code read protection on"),
                 0xFFFFFFFF, 0x43218765,
                 "sets CRP3, which shuts the debugger and ISP out for good");
}

const char kApProtect[] = "turns access-port protection on";
const char kEraseProtect[] = "turns erase protection on";
const char kEraseForGood[] =
    "turns erase protection on, and with the access port closed nothing can "
    "erase the part again";
const std::vector<uint8_t> kHwDisabled = {0xFA, 0x50, 0xFA, 0x50};

// APPROTECT and SECUREAPPROTECT of the nRF5340 and nRF91x1 open the access
// port only while they hold 0x50FA50FA (HwDisabled).
ProfileField apProtect(const char* name, uint32_t address) {
  return {name, address, 4, oneOf({0x50FA50FA}, kApProtect)};
}
// ERASEPROTECT protects for any value but 0xFFFFFFFF, and for good.
ProfileField eraseProtect(const char* name, uint32_t address) {
  return {name, address, 4,
          forGood(oneOf({0xFFFFFFFF}, kEraseProtect), 0, 0, kEraseForGood)};
}

// The STM32 option bytes and one-time areas that only the vendor's tools
// should write: an image leaves them alone.
KeptOutZone optionBytes(uint32_t first, uint32_t last) {
  return {first, last, "option bytes"};
}
KeptOutZone otp(uint32_t first, uint32_t last) {
  return {first, last, "one-time programmable area"};
}

// A family that only keeps zones out.
DeviceProfile keepsOut(const char* family, const char* parts, const char* note,
                       std::vector<KeptOutZone> zones,
                       std::vector<const char*> prefixes, const char* source,
                       Words words = Words::kRefused) {
  return {
      family, parts, note, words, {}, std::move(zones), {}, std::move(prefixes),
      source};
}

// The PIC32MX configuration words DEVCFG3..DEVCFG0, at each place a part
// may keep them: MX3xx to MX7xx and the MX1xx/2xx XLP at 0x...2FF0, the
// other MX1xx/2xx and the 64- and 100-pin MX1xx/2xx/5xx at 0x...0BF0, each
// at its physical, cached and uncached address.  A clear CP bit of DEVCFG0
// turns code protection on.
DeviceProfile pic32mx() {
  DeviceProfile profile = {
      "pic32mx",
      "Microchip PIC32MX",
      "all six places of DEVCFG3..DEVCFG0",
      Words::kRefused,
      {},
      {},
      {},
      {"pic32mx"},
      "PIC32MX data sheets DS60001404, DS60001168 and DS60001290; the "
      "vendor's bootloader linker templates"};
  for (uint32_t at : {0x1FC00BF0u, 0x1FC02FF0u, 0x9FC00BF0u, 0x9FC02FF0u,
                      0xBFC00BF0u, 0xBFC02FF0u}) {
    profile.blocks.push_back({"DEVCFG3..DEVCFG0", at, erased(16)});
    profile.fields.push_back(
        {"DEVCFG0", at + 12, 4,
         masked(0x10000000, 0x10000000,
                "turns code protection on (only a chip erase undoes it)")});
  }
  return profile;
}

// The EFM32 and EFR32 lock-bits page: the last word, DLW, locks the debug
// port; every other word locks flash pages, the user page or mass erase.
DeviceProfile efm32() {
  DeviceProfile profile = {
      "efm32",
      "Silicon Labs EFM32, EFR32 Series 0 and 1",
      nullptr,
      Words::kRefused,
      {{"lock-bits page", 0x0FE04000, erased(512)}},
      {},
      {},
      {"efm32g", "efm32tg", "efm32lg", "efm32wg", "efm32zg", "efm32hg",
       "efm32pg1", "efm32jg1", "efr32mg1", "efr32bg1", "efr32fg1"},
      "Silicon Labs EFM32 and EFR32 reference manuals (lock bits page)"};
  for (uint32_t at = 0x0FE04000; at < 0x0FE041FC; at += 4)
    profile.fields.push_back(
        {"lock word", at, 4,
         oneOf({0xFFFFFFFF},
               "locks flash pages, the user page or mass erase")});
  profile.fields.push_back(
      {"DLW", 0x0FE041FC, 4,
       masked(0xF, 0xF, "locks the debug port (a device erase undoes it)")});
  return profile;
}

// The customer configuration of the CC13xx and CC26xx: TI's own defaults,
// from the older releases of its ccfg.c (later copies in some public trees
// turn the CPU debug port off).  +0x06 is a byte of MODE_CONF_1, +0x0E of
// MODE_CONF; +0x30 BL_CONFIG, +0x34 ERASE_CONF, +0x38 TI_OPTIONS, +0x3C
// TAP_DAP_0 (CPU_DAP_ENABLE is its third byte, +0x3E), +0x40 TAP_DAP_1,
// +0x44 IMAGE_VALID, +0x48 the sector protection, 88 bytes in all.
std::vector<uint8_t> ccfg(uint8_t modeConf1, uint8_t modeConf,
                          std::vector<uint8_t> tapDap0) {
  std::vector<uint8_t> bytes =
      then({0x00, 0x00, 0x80, 0x01, 0x10, 0x00, modeConf1, 0xFF, 0xFD, 0xFF,
            0x58, 0x00, 0x3A, 0xFF, modeConf, 0xF3},
           32);
  for (uint8_t b :
       {0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF})
    bytes.push_back(b);
  bytes.insert(bytes.end(), tapDap0.begin(), tapDap0.end());
  for (uint8_t b : {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00})
    bytes.push_back(b);
  return then(bytes, 16);
}

// Chip erase off and the CPU debug port off together leave nothing that
// can reach the part again.
const char kDapAndErase[] =
    "turns the debug port off and makes the part ignore chip erase, which "
    "nothing undoes";

DeviceProfile simpleLink(const char* family, const char* parts,
                         const char* note, uint32_t at,
                         std::vector<uint8_t> bytes,
                         std::vector<const char*> prefixes) {
  return {
      family,
      parts,
      note,
      Words::kRefused,
      {{"CCFG", at, std::move(bytes)}},
      {},
      {{"ERASE_CONF", at + 0x34, 4,
        forGoodWith(masked(0x100, 0x100, "makes the part ignore chip erase"),
                    "CPU_DAP_ENABLE", kDapAndErase)},
       {"CPU_DAP_ENABLE", at + 0x3E, 1,
        forGoodWith(oneOf({0xC5}, "turns the CPU debug port off"), "ERASE_CONF",
                    kDapAndErase)},
       {"sector protection", at + 0x48, 16,
        allErased("write-protects flash sectors")}},
      std::move(prefixes),
      "TI ccfg.c of the CC13xx/CC26xx SDKs (\"chip erase ... ignored\"); "
      "TI E2E 684252"};
}

// The C2000 code security module: a password of eight words, all erased.
// One of 128 zero bits can never be unlocked.
DeviceProfile c2000(const char* family, const char* parts, uint32_t word,
                    std::vector<const char*> prefixes) {
  return {family,
          parts,
          "word-addressed, with -word",
          Words::kNeeded,
          {{"CSM password", word, erased(16)}},
          {},
          {{"CSM password", word, 16,
            forGoodAs(allErased("sets a code-security password: the part "
                                "stays secured to whoever lacks this image"),
                      word, {std::vector<uint8_t>(16, 0x00)},
                      "sets an all-zero password, and the part can be "
                      "neither debugged nor reprogrammed")}},
          std::move(prefixes),
          "TI's CSM documentation as quoted in TI E2E 208010 and FAQ 939603"};
}

// The RX ID code: the control code turns ID-code protection on when it is
// 0x45 or 0x52; read as one 32-bit word, it is the highest byte in a
// little-endian image and the lowest in a big-endian one.  Control code
// 0x52 with the ID bytes of "Protect" and eight erased ones bars every way
// in for good.
ProfileField rxControlCode(uint32_t at, std::vector<uint8_t> protect) {
  return {"control code", at, 1,
          forGoodAs(noneOf({0x45, 0x52}, "turns ID-code protection on"),
                    0xFFFFFFA0, {then(std::move(protect), 8)},
                    "sets the Protect ID code, which bars reading, writing "
                    "and the debugger for good")};
}

std::vector<DeviceProfile> makeProfiles() {
  return {
      motorola("hcs08", "NXP HCS08", "block at 0xFFB0", 0xFFB0, 0xFFFE, 2,
               {"mc9s08", "hcs08"},
               "NXP HCS08 reference manuals (NVOPT, FSEC); CodeWarrior "
               "device headers"),
      motorola("hcs12", "NXP HCS12", "block at 0xFF00", 0xFF00, 0xFFFE, 2,
               {"mc9s12", "hcs12"},
               "NXP HCS12 reference manuals (flash security); CodeWarrior "
               "device headers"),
      kinetis("kin", "NXP Kinetis", "FSEC at 0x40C", Words::kByRecord, 0x40C,
              {"mk", "mkl", "kinetis"},
              "NXP Kinetis reference manuals (flash configuration field); "
              "the vendor's startup files"),
      // ColdFire+: the Kinetis flash configuration field, not the NVOPT of
      // the classic ColdFire V1 parts, which -mcf51 serves.
      kinetis("cfv1", "NXP ColdFire+ MCF51JF, MCF51QM", "FSEC at 0x40C",
              Words::kByRecord, 0x40C, {"mcf51jf", "mcf51qm"},
              "NXP MCF51JF and MCF51QM reference manuals (flash "
              "configuration field)"),
      {"mcf51",
       "NXP ColdFire V1 MCF51AC, AG, CN, EM, JE, JM, MM, QE",
       "NVOPT at 0x40F",
       Words::kRefused,
       // NVBACKKEY 0x400..0x407, NVPROT 0x40D, NVOPT 0x40F.
       {{"security block", 0x400, unsecured(15)},
        {"reset vector", 0x0, erased(8)}},
       {},
       {{"NVOPT", 0x40F, 1, fsec()}},
       {"mcf51"},
       "CodeWarrior device headers for MCF51AG128 and MCF51AC256A (NVOPT at "
       "0x40F: KEYEN 7:6, SEC 1:0); an MCF51JM128 bootloader"},
      kinetis("s32k", "NXP S32K1xx", "FSEC at 0x40C", Words::kByRecord, 0x40C,
              {"s32k1"},
              "NXP S32K1xx reference manual (flash configuration field); "
              "S32 SDK startup files"),
      kinetis("ke", "NXP Kinetis KE0x, KEA", "FSEC at 0x40E", Words::kByRecord,
              0x40E, {"mke", "s9kea"},
              "NXP KE0x and KEA reference manuals (flash configuration "
              "field)"),
      motorola("s12z", "NXP S12Z", "FSEC at 0xFFFE0F", 0xFFFE00, 0xFFFFFC, 4,
               {"mc9s12z", "s12z"},
               "NXP S12Z reference manuals (flash security)"),
      // The JTAG signatures at 0xFF80 leave JTAG open while they read
      // 0xFFFFFFFF or 0.
      {"msp430",
       "TI MSP430 FRAM: FR2xx, FR4xx, FR5xx, FR6xx",
       "JTAG open",
       Words::kByRecord,
       {{"security block", 0xFF80, erased(16)},
        {"reset vector", 0xFFFE, erased(2)}},
       {},
       {{"JTAG signatures", 0xFF80, 4,
         oneOf({0xFFFFFFFF, 0x00000000}, "locks JTAG")}},
       {"msp430fr"},
       "TI MSP430 FRAM family user's guides (JTAG signatures)"},
      {"lpc",
       "NXP LPC800, LPC1100, LPC1300, LPC1700, LPC4000",
       "CRP off",
       Words::kByRecord,
       {{"security block", 0x2FC, erased(4)}},
       {},
       {{"CRP", 0x2FC, 4, crp()}},
       {"lpc8", "lpc11", "lpc13", "lpc17", "lpc40"},
       "NXP LPC800, LPC1100, LPC1300, LPC1700 and LPC4000 user manuals "
       "(Code Read Protection)"},
      {"lpc2000",
       "NXP LPC2100 to LPC2400",
       "CRP off",
       Words::kRefused,
       {{"security block", 0x1FC, erased(4)}},
       {},
       {{"CRP", 0x1FC, 4, crp()}},
       {"lpc21", "lpc22", "lpc23", "lpc24"},
       "NXP LPC2000 user manuals (CRP at 0x1FC)"},
      keepsOut("lpc55s6x", "NXP LPC55S6x", nullptr,
               {{0x0009DE00, 0x0009FFFF,
                 "protected flash: CFPA, CMPA and its seal, key store, "
                 "NMPA"}},
               {"lpc55s6"}, "NXP UM11126 (protected flash region)"),
      motorola("s08p", "NXP S08PA, S08PT, S08PL", "FSEC at 0xFF7F", 0xFF70,
               0xFFFE, 2,
               {"mc9s08pa", "mc9s08pt", "mc9s08pl", "s08pa", "s08pt", "s08pl"},
               "NXP S08P reference manuals (NVOPT, FSEC)"),
      {"nrf51",
       "Nordic nRF51",
       nullptr,
       Words::kRefused,
       {{"UICR", 0x10001000, erased(12)}},  // CLENR0, RBPCONF, XTALFREQ.
       {},
       {{"RBPCONF", 0x10001004, 4,
         masked(0xFFFF, 0xFFFF, "turns read-back protection on")}},
       {"nrf51"},
       "Nordic nRF51 reference manual; nrfx MDK nrf51_bitfields.h (UICR)"},
      // APPROTECT 0x5A (HwDisabled) opens the port only on the revisions
      // with hardware APPROTECT; 0xFF leaves their port closed after reset
      // until ERASEALL.
      {"nrf52",
       "Nordic nRF52805 to nRF52840",
       nullptr,
       Words::kRefused,
       {{"UICR", 0x10001200, erased(272)}},
       {},
       {{"APPROTECT", 0x10001208, 4,
         [] {
           LockRule rule = masked(0xFF, 0xFF, kApProtect);
           rule.specials = {{0xFF, 0x5A,
                             "keeps the access port open only on revisions "
                             "with hardware APPROTECT; older ones turn "
                             "protection on"}};
           return rule;
         }()},
        {"REGOUT0", 0x10001304, 4,
         masked(0x7, 0x7, "raises the regulator output above 1.8 V")}},
       {"nrf52"},
       "nrfx MDK nrf52 bitfields (HwDisabled = 0x5A) and nrf52_erratas.h"},
      {"nrf53",
       "Nordic nRF5340",
       nullptr,
       Words::kRefused,
       {{"APPROTECT", 0x00FF8000, kHwDisabled},
        {"VREGHVOUT", 0x00FF8010, erased(4)},
        {"SECUREAPPROTECT", 0x00FF801C, kHwDisabled},
        {"ERASEPROTECT", 0x00FF8020, erased(4)},
        {"network core APPROTECT", 0x01FF8000, kHwDisabled},
        {"network core ERASEPROTECT", 0x01FF8004, erased(4)}},
       {},
       {apProtect("APPROTECT", 0x00FF8000),
        // 0 to 5 pick 1.8 V to 3.3 V; 7, the erased value, 1.8 V.
        {"VREGHVOUT", 0x00FF8010, 4,
         masked(0x7, 0x7,
                "sets the high-voltage regulator output above 1.8 V")},
        apProtect("SECUREAPPROTECT", 0x00FF801C),
        eraseProtect("ERASEPROTECT", 0x00FF8020),
        apProtect("network core APPROTECT", 0x01FF8000),
        eraseProtect("network core ERASEPROTECT", 0x01FF8004)},
       {"nrf53"},
       "nrfx MDK nrf5340_application.h, nrf5340_network.h and their "
       "bitfields"},
      {"nrf91",
       "Nordic nRF9160",
       "not nRF9161 or nRF9151",
       Words::kRefused,
       {{"APPROTECT", 0x00FF8000, erased(4)},
        {"SECUREAPPROTECT", 0x00FF802C, erased(4)},
        {"ERASEPROTECT", 0x00FF8030, erased(4)}},
       {},
       {{"APPROTECT", 0x00FF8000, 4, oneOf({0xFFFFFFFF}, kApProtect)},
        {"SECUREAPPROTECT", 0x00FF802C, 4, oneOf({0xFFFFFFFF}, kApProtect)},
        eraseProtect("ERASEPROTECT", 0x00FF8030)},
       {"nrf9160"},
       "nrfx MDK nrf9160.h and nrf9160_bitfields.h"},
      {"nrf91x1",
       "Nordic nRF9151, nRF9161",
       nullptr,
       Words::kRefused,
       {{"APPROTECT", 0x00FF8000, kHwDisabled},
        {"SECUREAPPROTECT", 0x00FF802C, kHwDisabled},
        {"ERASEPROTECT", 0x00FF8030, erased(4)}},
       {},
       {apProtect("APPROTECT", 0x00FF8000),
        apProtect("SECUREAPPROTECT", 0x00FF802C),
        eraseProtect("ERASEPROTECT", 0x00FF8030)},
       {"nrf9151", "nrf9161"},
       "nrfx MDK nrf9120_bitfields.h and system_nrf91_approtect.h"},
      // Sources disagree on the value that leaves ERASEPROTECT open.
      keepsOut("nrf54l", "Nordic nRF54L15", nullptr,
               {{0x00FFD000, 0x00FFDFFF,
                 "UICR: protection words, boot configuration, one-time "
                 "area"}},
               {"nrf54l"}, "nrfx MDK nrf54l15 headers (UICR)"),
      // The option bytes, as Keil puts them into hex files: each byte is
      // followed by its complement; RDP 0xAA (0xA5 on F1) is level 0.  The
      // vendor's HAL writes RDP with one 16-bit store and the hardware
      // writes the complement itself, so 0xCC is level 2 whatever follows.
      {"stm32f0",
       "STM32F0, STM32F3",
       "option bytes in the hex file",
       Words::kRefused,
       {{"option bytes",
         0x1FFFF800,
         {0xAA, 0x55, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF,
          0x00, 0xFF, 0x00, 0xFF, 0x00}}},
       {},
       {{"RDP", 0x1FFFF800, 2,
         forGood(oneOf({0x55AA},
                       "turns read protection on (undoing it erases the "
                       "flash)"),
                 0xFF, 0xCC,
                 "sets read protection level 2, which nothing undoes")}},
       {"stm32f0", "stm32f3"},
       "RM0091 and RM0360 (option bytes); the vendor's HAL"},
      {"stm32f1",
       "STM32F1",
       "option bytes in the hex file",
       Words::kRefused,
       {{"option bytes",
         0x1FFFF800,
         {0xA5, 0x5A, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF,
          0x00, 0xFF, 0x00, 0xFF, 0x00}}},
       {},
       {{"RDP", 0x1FFFF800, 2,
         oneOf({0x5AA5},
               "turns read protection on (undoing it erases the flash)")}},
       {"stm32f1"},
       "STM32F1 reference manual (option bytes); the vendor's HAL"},
      // Five option words, each half the complement of the other; words 1
      // to 4 are from one vendor source only.
      {"stm32l0",
       "STM32L0",
       "option bytes in the hex file",
       Words::kRefused,
       {{"option bytes", 0x1FF80000, {0xAA, 0x00, 0x55, 0xFF, 0x70, 0x80, 0x8F,
                                      0x7F, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00,
                                      0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF}}},
       {},
       {{"RDP", 0x1FF80000, 4,
         forGood(masked(0x00FF00FF, 0x005500AA, "turns read protection on"),
                 0x00FF00FF, 0x003300CC,
                 "sets read protection level 2, which nothing undoes")}},
       {"stm32l0"},
       "STM32L0 reference manuals (option bytes); the vendor's HAL"},
      keepsOut(
          "stm32f4", "STM32F2, STM32F4", nullptr,
          {optionBytes(0x1FFFC000, 0x1FFFC00F),
           optionBytes(0x1FFEC000, 0x1FFEC00F), otp(0x1FFF7800, 0x1FFF7A0F)},
          {"stm32f2", "stm32f4"},
          "RM0090 section 3.7; the vendor's boot-loader sources"),
      keepsOut(
          "stm32f7", "STM32F7", nullptr,
          {optionBytes(0x1FFF0000, 0x1FFF001F), otp(0x1FF0F000, 0x1FF0F41F)},
          {"stm32f7"},
          "STM32F7 reference manuals; the vendor's boot-loader "
          "sources"),
      keepsOut(
          "stm32l4", "STM32L4, L4+", nullptr,
          {otp(0x1FFF7000, 0x1FFF73FF), optionBytes(0x1FFF7800, 0x1FFF782F),
           optionBytes(0x1FFFF800, 0x1FFFF82F),
           optionBytes(0x1FF00000, 0x1FF0002F)},
          {"stm32l4"}, "RM0351; the vendor's boot-loader sources"),
      keepsOut(
          "stm32g0", "STM32G0", nullptr,
          {otp(0x1FFF7000, 0x1FFF73FF), optionBytes(0x1FFF7800, 0x1FFF787F)},
          {"stm32g0"}, "RM0444; the vendor's boot-loader sources"),
      keepsOut(
          "stm32g4", "STM32G4", nullptr,
          {otp(0x1FFF7000, 0x1FFF73FF), optionBytes(0x1FFF7800, 0x1FFF782F),
           optionBytes(0x1FFFF800, 0x1FFFF82F)},
          {"stm32g4"}, "RM0440 section 4.4; the vendor's boot-loader sources"),
      keepsOut("stm32l1", "STM32L1", nullptr,
               {optionBytes(0x1FF80000, 0x1FF800FF)}, {"stm32l1"},
               "STM32L1 reference manuals; the vendor's boot-loader sources"),
      // CONFIG5L to CONFIG7H of the 128 KB parts: a cleared bit of the
      // mask protects (CP0-CP7, WRT0-WRT7, EBTR0-EBTR7).  The K40, K42 and
      // Q series lay their configuration out otherwise.
      {"pic18",
       "Microchip PIC18",
       "classic families: not the J, K40, K42 or Q series",
       Words::kRefused,
       {{"configuration", 0x300000, erased(14)}},
       {},
       {{"CONFIG4L", 0x300006, 1,
         masked(0x04, 0x04, "turns low-voltage programming off")},
        {"CONFIG5L", 0x300008, 1,
         masked(0xFF, 0xFF, "turns code, data or write protection on")},
        {"CONFIG5H", 0x300009, 1,
         masked(0xC0, 0xC0, "turns code, data or write protection on")},
        {"CONFIG6L", 0x30000A, 1,
         masked(0xFF, 0xFF, "turns code, data or write protection on")},
        {"CONFIG6H", 0x30000B, 1,
         masked(0xE0, 0xE0, "turns code, data or write protection on")},
        {"CONFIG7L", 0x30000C, 1,
         masked(0xFF, 0xFF, "turns code, data or write protection on")},
        {"CONFIG7H", 0x30000D, 1,
         masked(0x40, 0x40, "turns code, data or write protection on")}},
       {},
       "gputils p18f8722.inc (_CP7_ON_5L is 0x7F) and p18f27k40.inc"},
      pic32mx(),
      keepsOut("samd", "Microchip SAM D21, D5x, E5x", nullptr,
               {{0x00804000, 0x008041FF,
                 "NVM user row: fuses with reserved bits that keep their "
                 "factory value"}},
               {"atsamd21", "atsamd5", "atsame5", "samd21", "samd5", "same5"},
               "SAM D21 and D5x/E5x data sheets (NVM user row)"),
      efm32(),
      simpleLink("cc13x0", "TI CC1310, CC1350", "128 KiB", 0x1FFA8,
                 ccfg(0x88, 0xBF, {0xC5, 0x00, 0xC5, 0xFF}),
                 {"cc1310", "cc1350"}),
      simpleLink("cc26x0", "TI CC2640, CC2650", "128 KiB", 0x1FFA8,
                 ccfg(0x82, 0xBF, {0xC5, 0x00, 0xC5, 0xFF}),
                 {"cc2640", "cc2650"}),
      simpleLink("cc26x2", "TI CC13x2, CC26x2", "352 KiB", 0x57FA8,
                 ccfg(0x80, 0xBB, {0x00, 0xC5, 0xC5, 0xFF}), {}),
      keepsOut("msp430f5", "TI MSP430F5xx, MSP430F6xx", "flash",
               {{0x1000, 0x17FF,
                 "the factory bootloader, its signatures and the JTAG key"}},
               {"msp430f5", "msp430f6"},
               "TI MSP430F5xx and MSP430F6xx family user's guide (BSL, JTAG "
               "key)"),
      keepsOut("mspm0", "TI MSPM0", nullptr,
               {{0x41C00000, 0x41C003FF,
                 "NONMAIN: boot and bootloader configuration"}},
               {"mspm0"}, "TI MSPM0 technical reference manuals (NONMAIN)"),
      keepsOut("avr", "Microchip AVR", "ELF and hex pseudo-addresses",
               {{0x820000, 0x83FFFF, "fuses and lock bits"}},
               {"atmega", "attiny"},
               "avr-libc and avr-gcc section addresses (.fuse, .lock)"),
      {"rx",
       "Renesas RX610, RX62x, RX63x",
       nullptr,
       Words::kRefused,
       {{"ID code", 0xFFFFFFA0, erased(16)}},
       {},
       {rxControlCode(0xFFFFFFA0,
                      {0x52, 0x50, 0x72, 0x6F, 0x74, 0x65, 0x63, 0x74}),
        rxControlCode(0xFFFFFFA3,
                      {0x6F, 0x72, 0x50, 0x52, 0x74, 0x63, 0x65, 0x74})},
       {"rx610", "rx62", "rx63"},
       "RX610 hardware manual R01UH0032, table 26.11; RX23W manual, "
       "section 50.9.1"},
      c2000("f2833x", "TI C2000 F2833x, F2823x", 0x33FFF8,
            {"tms320f2833", "tms320f2823", "f2833", "f2823"}),
      c2000("f2806x", "TI C2000 F2802x, F2806x", 0x3F7FF8,
            {"tms320f2806", "tms320f2802", "f2806", "f2802"}),
      // Any write to the DCSM one-time area is for good.
      keepsOut("f2837x", "TI C2000 F2837x", "word-addressed, with -word",
               {{0x78000, 0x783FF, "DCSM one-time area"}},
               {"tms320f2837", "f2837"}, "TI F2837x linker files (DCSM OTP)",
               Words::kNeeded),
  };
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
