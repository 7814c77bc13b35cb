// Device profiles: the fixed bytes that leave a device family unsecured.
#ifndef TOLLIVEX_IMAGE_DEVICE_PROFILE_H_
#define TOLLIVEX_IMAGE_DEVICE_PROFILE_H_

#include "image/image.h"

// One device family and the two regions it pins: a security block and the
// bytes forced to 0xFF (the reset vector, mostly).  Where both cover an
// address, the blank region wins.
struct DeviceProfile {
  const char* family;  // Its option word is "-" and this.
  FixedRegion security;
  FixedRegion blank;
};

// The profile whose option word equals arg, ignoring ASCII case; null when
// there is none.  "-cfvx" is no profile.
const DeviceProfile* findDeviceProfile(const char* arg);

#endif  // TOLLIVEX_IMAGE_DEVICE_PROFILE_H_
