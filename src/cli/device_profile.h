// Device profiles: the fixed bytes that leave a device family unsecured.
#ifndef TOLLIVEX_CLI_DEVICE_PROFILE_H_
#define TOLLIVEX_CLI_DEVICE_PROFILE_H_

#include <cstdint>

// One option word and the two regions it pins.  The blank content holds
// blankLength meaningful bytes, the rest is 0xFF.
struct DeviceProfile {
  const char* word;
  uint32_t securityStart;
  uint32_t securityLength;
  uint8_t securityContent[16];
  uint32_t blankStart;
  uint32_t blankLength;
  uint8_t blankContent[16];
};

// The profile whose option word equals arg, ignoring ASCII case; null when
// there is none.
const DeviceProfile* findDeviceProfile(const char* arg);

// Overwrites start, length and content of both fixed regions.
void applyDeviceProfile(const DeviceProfile& profile);

#endif  // TOLLIVEX_CLI_DEVICE_PROFILE_H_
