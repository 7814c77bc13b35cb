// ImageSpec: everything an image depends on, read from the command line
// once and passed down by const reference.
#ifndef TOLLIVEX_IMAGE_IMAGE_H_
#define TOLLIVEX_IMAGE_IMAGE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "format/encoder.h"
#include "image/check_value.h"
#include "image/device_profile.h"

// An inclusive address range; it holds nothing when start > end.
struct AddressPair {
  uint32_t start, end;
};

// Bytes given with -pin.  Byte k lies at byte address + k, or, in a word
// image, in byte k % 2 of word address + k / 2.
struct PinnedBlock {
  uint32_t address;
  std::vector<uint8_t> bytes;  // 1 to 256.
  std::string text = {};       // As given, for messages.
};

// A check value in the image: the CRC, sum or length of the image's bytes
// from start to end (inclusive; a byte no range covers counts as erased
// flash), put at address where a range covers it.  It may lie in another
// value's region, which then holds it.
struct PlacedCheck {
  // As given ("crc32-be"), and the kind it names once the line's models
  // are known.
  std::string kindText;
  CheckKind kind = {};
  bool bigEndian = false;  // Else little-endian.
  uint32_t address = 0;
  // Without regionGiven, the region runs from the lowest address a range
  // covers up to the value, once the ranges are known.
  bool regionGiven = false;
  uint32_t start = 0, end = 0;
  std::string text;  // As given, for messages.
};

struct ImageSpec {
  // The ranges in command-line order, never sorted or merged.
  std::vector<AddressPair> pairs;
  // Data bytes per address: 1, or 2 when addresses count 16-bit words.
  unsigned unit = 1;
  // The fill: pattern[position % size] when a pattern is given, the keyed
  // fill (each byte from the seed and its position) when keyed, else the
  // srand(seed)/rand() sequence, one value per data byte.
  std::vector<uint8_t> pattern;
  bool keyed = false;
  uint32_t seed = 1;
  // What replaces the fill, each over the one before: the device profile's
  // blocks, then the pins in command-line order.  With -word, the blocks
  // are matched at a record's address plus the byte's index in it.
  const DeviceProfile* profile = nullptr;
  std::vector<PinnedBlock> pins;
  // Then the check values, over everything before them, and the kinds
  // the line defines for them.
  std::vector<PlacedCheck> checks;
  std::vector<CheckKind> models;
  // The threads that make a keyed fill ahead (-threads): 1 makes it as the
  // records are, 0 as many as the machine has cores, up to 8.
  unsigned threads = 0;
  // -align: ranges widened to multiples of align addresses, and for each
  // pair the padding that adds (see align.h); none when align is 1.
  unsigned align = 1;
  std::vector<std::vector<AddressPair>> pads;
  // What flash holds where nothing was written: what a check region counts
  // for a byte no range covers or a zone keeps out, and what fills the gaps
  // of a binary image.
  uint8_t erased = 0xFF;
  ImageFormat format = ImageFormat::kSRecord;
  RecordShape shape;
  // Where the image goes: standard output, or the file name, which the
  // S-record header carries (empty for standard output).
  bool toStandardOutput = false;
  std::string name;
  // Whether the image is flushed to disk before it takes its name.
  bool sync = true;
};

// The most bytes a header of the image's own may hold, and the most data
// records a count record can count: the S-record encoder's limits.
constexpr size_t kMaxHeaderBytes = kMaxSRecordHeader;
constexpr uint64_t kMaxCountedRecords = kMaxSRecordCount;

// The data bytes a pair holds in an image of unit bytes per address.
inline uint64_t pairBytes(const AddressPair& pair, unsigned unit) {
  if (pair.start > pair.end) return 0;
  return (uint64_t{pair.end} - pair.start + 1) * unit;
}

// The data bytes of the whole image.
uint64_t imageBytes(const ImageSpec& image);

// The lowest start and highest end over the pairs that hold a byte and
// their padding; false when none does.
bool imageSpan(const ImageSpec& image, uint32_t* low, uint32_t* high);

// Whether each pair that holds a byte starts above the end of the one
// before: what an image written strictly in order needs.
bool risingWithoutOverlap(const std::vector<AddressPair>& pairs);

#endif  // TOLLIVEX_IMAGE_IMAGE_H_
