// Device profiles: the fixed bytes that leave a device family unsecured.
#ifndef TOLLIVEX_IMAGE_DEVICE_PROFILE_H_
#define TOLLIVEX_IMAGE_DEVICE_PROFILE_H_

#include <cstdint>
#include <vector>

// A block of fixed bytes that replaces the fill where a range covers it.
struct ProfileBlock {
  const char* name;  // For messages: "security block".
  uint32_t address;
  std::vector<uint8_t> bytes;  // From address upward.
};

// One device family, and the blocks it pins; where two blocks cover an
// address, the later one wins.
struct DeviceProfile {
  const char* family;   // Its option word is "-" and this.
  const char* summary;  // What it does, for the help.
  std::vector<ProfileBlock> blocks;
};

// Every profile, in the order of the help.
const std::vector<DeviceProfile>& deviceProfiles();

// The profile whose option word equals arg, ignoring ASCII case; null when
// there is none.  "-cfvx" is no profile.
const DeviceProfile* findDeviceProfile(const char* arg);

#endif  // TOLLIVEX_IMAGE_DEVICE_PROFILE_H_
