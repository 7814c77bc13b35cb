// Device profiles: what leaves a device family open to its programmer.
//
// A profile pins blocks of fixed bytes over the fill, keeps zones out of
// the image, and judges its fields by the values the part will hold.
// Adding a family is adding its row to the table.
#ifndef TOLLIVEX_IMAGE_DEVICE_PROFILE_H_
#define TOLLIVEX_IMAGE_DEVICE_PROFILE_H_

#include <cstdint>
#include <vector>

// A block of fixed bytes that replaces the fill where a range covers it,
// and the gap fill of a binary image where a gap does.
struct ProfileBlock {
  const char* name;            // For messages: "security block", "UICR".
  uint32_t address;            // In the profile's addresses (words, for some).
  std::vector<uint8_t> bytes;  // From address upward.
};

// Addresses that no data byte may take: the part keeps something there
// that an image must leave alone.
struct KeptOutZone {
  uint32_t first, last;
  const char* what;  // "fuses and lock bits".
};

// When the value of a field leaves the part open.  A field of 1, 2 or 4
// bytes is read little-endian as a number v; a longer one is judged byte by
// byte (v is its first four bytes).
struct LockRule {
  enum class Safe {
    kMasked,    // (v & mask) == want.
    kOneOf,     // v is one of values.
    kNoneOf,    // v is none of values.
    kAllErased  // Every byte is 0xFF.
  };
  Safe safe = Safe::kMasked;
  uint32_t mask = 0, want = 0;
  std::vector<uint32_t> values;
  const char* effect = nullptr;  // What an unsafe value does.
  // An unsafe value with (v & mask) == value does this instead.
  struct Special {
    uint32_t mask, value;
    const char* effect;
  };
  std::vector<Special> specials;
  // An unsafe value locks the part for good when all of these hold:
  // (v & goodMask) == goodWant (always, with a goodMask of 0); the bytes
  // from goodAt on are one of goodBytes, when there are any; and the field
  // named with, of the same profile, is unsafe too, when one is named.
  // forGood says how, or is null when nothing is for good.
  uint32_t goodMask = 0, goodWant = 0;
  uint32_t goodAt = 0;  // In the profile's addresses.
  std::vector<std::vector<uint8_t>> goodBytes;
  const char* with = nullptr;
  const char* forGood = nullptr;
};

// A field of a profile's blocks: bytes whose value may lock the part.
struct ProfileField {
  const char* name;  // "FSEC".
  uint32_t address;  // In the profile's addresses.
  unsigned width;    // 1 to 16 bytes.
  LockRule rule;
};

struct DeviceProfile {
  const char* family;  // Its option word is "-" and this.
  const char* parts;   // The parts it serves: "NXP Kinetis".
  const char* note;    // What the help adds about them, or null.
  // How -word meets it: the profiles of 1.5.0 and before match their blocks
  // at each record's address plus the byte's index; the other byte-addressed
  // ones do not apply; word-addressed ones need it.
  enum class Words { kByRecord, kRefused, kNeeded };
  Words words;
  std::vector<ProfileBlock> blocks;  // A later block wins over an earlier one.
  std::vector<KeptOutZone> zones;
  std::vector<ProfileField> fields;  // In address order.
  // The starts of the part names it serves, in lower case ("mkl"): an
  // unknown word that starts with one is suggested this profile.
  std::vector<const char*> prefixes;
  const char* source;  // The vendor documents its values come from.
};

// Every profile, in the order of the help.
const std::vector<DeviceProfile>& deviceProfiles();

// The profile whose option word equals arg, ignoring ASCII case; null when
// there is none.  "-cfvx" is no profile.
const DeviceProfile* findDeviceProfile(const char* arg);

#endif  // TOLLIVEX_IMAGE_DEVICE_PROFILE_H_
