// The device profile table and its application to the fixed regions.
#include "cli/device_profile.h"

#include <strings.h>

#include <cstring>

#include "srec/srec.h"

namespace {

#define FF4 0xFF, 0xFF, 0xFF, 0xFF
// Security blocks that read as "unsecured": all bytes erased but one, whose
// value 0xFE clears the security bits of the family's protection byte.
#define UNSECURED_LAST_BYTE FF4, FF4, FF4, 0xFF, 0xFF, 0xFF, 0xFE
#define UNSECURED_13TH_BYTE FF4, FF4, FF4, 0xFE, 0xFF, 0xFF, 0xFF
#define ALL_FF FF4, FF4, FF4, FF4

// hcs08 and hcs12 keep their security byte at the end of the block and the
// reset vector at 0xFFFE; kin and cfv1 keep the flash configuration field
// at 0x400 and the initial stack pointer and reset vector at 0.
const DeviceProfile kDeviceProfiles[] = {
    {"-hcs08", 0xFFB0, 16, {UNSECURED_LAST_BYTE}, 0xFFFE, 2, {ALL_FF}},
    {"-hcs12", 0xFF00, 16, {UNSECURED_LAST_BYTE}, 0xFFFE, 2, {ALL_FF}},
    {"-kin", 0x400, 16, {UNSECURED_13TH_BYTE}, 0x0, 8, {ALL_FF}},
    {"-cfv1", 0x400, 16, {UNSECURED_13TH_BYTE}, 0x0, 8, {ALL_FF}},
};

void setRegion(FixedRegion* region, uint32_t start, uint32_t length,
               const uint8_t* content) {
  memcpy(region->content, content, sizeof region->content);
  region->start = start;
  region->length = length;
}

}  // namespace

const DeviceProfile* findDeviceProfile(const char* arg) {
  for (const DeviceProfile& profile : kDeviceProfiles) {
    if (strcasecmp(arg, profile.word) == 0) return &profile;
  }
  return nullptr;
}

void applyDeviceProfile(const DeviceProfile& profile) {
  setRegion(&securityRegion, profile.securityStart, profile.securityLength,
            profile.securityContent);
  setRegion(&blankRegion, profile.blankStart, profile.blankLength,
            profile.blankContent);
}
