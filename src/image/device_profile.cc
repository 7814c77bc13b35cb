// The device profile table.
#include "image/device_profile.h"

#include <strings.h>

namespace {

// n erased bytes.
std::vector<uint8_t> erased(size_t n) { return std::vector<uint8_t>(n, 0xFF); }

// A 16-byte security block that reads as "unsecured": all bytes erased but
// the family's security byte at offset at, whose value 0xFE clears its
// security bits.
std::vector<uint8_t> unsecured(size_t at) {
  std::vector<uint8_t> block = erased(16);
  block[at] = 0xFE;
  return block;
}

// hcs08 and hcs12 keep their security byte at the end of the block and the
// reset vector at 0xFFFE.  Kinetis, ColdFire V1 and Kinetis KE keep the
// flash configuration field at 0x400 (FSEC at 0x40C, or 0x40E on KE) and
// the initial stack pointer and reset vector at 0.  S12Z keeps its field at
// 0xFFFE00 and the reset vector at 0xFFFFFC.  MSP430 FRAM parts leave JTAG
// unlocked while the signatures at 0xFF80 are erased.  NXP LPC parts read
// their Code Read Protection word at 0x2FC: erased, it protects nothing.
// S08P parts (S08PA, PT, PL) keep FSEC at 0xFF7F, not at hcs08's 0xFFBF.
std::vector<DeviceProfile> makeProfiles() {
  const char* kBlock = "security block";
  const char* kReset = "reset vector";
  return {
      {"hcs08",
       "unsecured hcs08 (block at 0xFFB0)",
       {{kBlock, 0xFFB0, unsecured(15)}, {kReset, 0xFFFE, erased(2)}}},
      {"hcs12",
       "unsecured hcs12 (block at 0xFF00)",
       {{kBlock, 0xFF00, unsecured(15)}, {kReset, 0xFFFE, erased(2)}}},
      {"kin",
       "unsecured Kinetis (FSEC at 0x40C)",
       {{kBlock, 0x400, unsecured(12)}, {kReset, 0x0, erased(8)}}},
      {"cfv1",
       "unsecured ColdFire V1 (FSEC at 0x40C)",
       {{kBlock, 0x400, unsecured(12)}, {kReset, 0x0, erased(8)}}},
      {"ke",
       "unsecured Kinetis KE0x, KEA (FSEC at 0x40E)",
       {{kBlock, 0x400, unsecured(14)}, {kReset, 0x0, erased(8)}}},
      {"s12z",
       "unsecured S12Z (FSEC at 0xFFFE0F)",
       {{kBlock, 0xFFFE00, unsecured(15)}, {kReset, 0xFFFFFC, erased(4)}}},
      {"msp430",
       "MSP430 FRAM with JTAG open (0xFF80..0xFF8F erased)",
       {{kBlock, 0xFF80, erased(16)}, {kReset, 0xFFFE, erased(2)}}},
      {"lpc",
       "NXP LPC with code read protection off (0x2FC..0x2FF erased)",
       {{kBlock, 0x2FC, erased(4)}}},
      {"s08p",
       "unsecured S08PA, S08PT, S08PL (FSEC at 0xFF7F)",
       {{kBlock, 0xFF70, unsecured(15)}, {kReset, 0xFFFE, erased(2)}}},
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
