// Device profiles: the fixed bytes that leave a device family unsecured.
#ifndef TOLLIVEX_SREC_DEVICE_PROFILE_H_
#define TOLLIVEX_SREC_DEVICE_PROFILE_H_

#include "srec/image.h"

// One option word and the two regions it pins: a security block and the
// bytes forced to 0xFF (the reset vector, mostly).  Where both cover an
// address, the blank region wins.
struct DeviceProfile {
  const char* word;
  FixedRegion security;
  FixedRegion blank;
};

// The profile whose option word equals arg, ignoring ASCII case; null when
// there is none.
const DeviceProfile* findDeviceProfile(const char* arg);

#endif  // TOLLIVEX_SREC_DEVICE_PROFILE_H_
