// The device profile table.
#include "image/device_profile.h"

#include <strings.h>

namespace {

#define FF4 0xFF, 0xFF, 0xFF, 0xFF
#define FF16 FF4, FF4, FF4, FF4
// Security blocks that read as "unsecured": all bytes erased but the
// family's security byte, whose value 0xFE clears its security bits.
#define UNSECURED_LAST_BYTE FF4, FF4, FF4, 0xFF, 0xFF, 0xFF, 0xFE
#define UNSECURED_13TH_BYTE FF4, FF4, FF4, 0xFE, 0xFF, 0xFF, 0xFF
#define UNSECURED_15TH_BYTE FF4, FF4, FF4, 0xFF, 0xFF, 0xFE, 0xFF

// hcs08 and hcs12 keep their security byte at the end of the block and the
// reset vector at 0xFFFE.  Kinetis, ColdFire V1 and Kinetis KE keep the
// flash configuration field at 0x400 (FSEC at 0x40C, or 0x40E on KE) and
// the initial stack pointer and reset vector at 0.  S12Z keeps its field at
// 0xFFFE00 and the reset vector at 0xFFFFFC.  MSP430 FRAM parts leave JTAG
// unlocked while the signatures at 0xFF80 are erased.  NXP LPC parts read
// their Code Read Protection word at 0x2FC: erased, it protects nothing.
// S08P parts (S08PA, PT, PL) keep FSEC at 0xFF7F, not at hcs08's 0xFFBF.
const DeviceProfile kDeviceProfiles[] = {
    {"hcs08", {{UNSECURED_LAST_BYTE}, 0xFFB0, 16}, {{FF16}, 0xFFFE, 2}},
    {"hcs12", {{UNSECURED_LAST_BYTE}, 0xFF00, 16}, {{FF16}, 0xFFFE, 2}},
    {"kin", {{UNSECURED_13TH_BYTE}, 0x400, 16}, {{FF16}, 0x0, 8}},
    {"cfv1", {{UNSECURED_13TH_BYTE}, 0x400, 16}, {{FF16}, 0x0, 8}},
    {"ke", {{UNSECURED_15TH_BYTE}, 0x400, 16}, {{FF16}, 0x0, 8}},
    {"s12z", {{UNSECURED_LAST_BYTE}, 0xFFFE00, 16}, {{FF16}, 0xFFFFFC, 4}},
    {"msp430", {{FF16}, 0xFF80, 16}, {{FF16}, 0xFFFE, 2}},
    {"lpc", {{FF4}, 0x2FC, 4}, {{}, 0, 0}},
    {"s08p", {{UNSECURED_LAST_BYTE}, 0xFF70, 16}, {{FF16}, 0xFFFE, 2}},
};

}  // namespace

const DeviceProfile* findDeviceProfile(const char* arg) {
  if (arg[0] != '-') return nullptr;
  for (const DeviceProfile& profile : kDeviceProfiles) {
    if (strcasecmp(arg + 1, profile.family) == 0) return &profile;
  }
  return nullptr;
}
