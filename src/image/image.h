// ImageSpec: everything an image depends on, read from the command line
// once and passed down by const reference.
#ifndef TOLLIVEX_IMAGE_IMAGE_H_
#define TOLLIVEX_IMAGE_IMAGE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "image/check_value.h"

// An inclusive address range; it holds nothing when start > end.
struct AddressPair {
  uint32_t start, end;
};

// A block of fixed content that replaces the fill where a data byte's
// address falls inside it: start <= address < start + length.
struct FixedRegion {
  uint8_t content[16];
  uint32_t start;
  uint32_t length;  // 0 to 16; 0 means the region is empty.
};

// Bytes given with -pin.  Byte k lies at byte address + k, or, in a word
// image, in byte k % 2 of word address + k / 2.
struct PinnedBlock {
  uint32_t address;
  std::vector<uint8_t> bytes;  // 1 to 256.
  std::string text = {};       // As given, for messages.
};

// A check value in the image: the CRC or sum of the image's bytes from
// start to end (inclusive; a byte no range covers counts as 0xFF), put at
// address where a range covers it.  The value lies outside every region.
struct PlacedCheck {
  const CheckKind* kind;
  bool bigEndian;  // Else little-endian.
  uint32_t address;
  uint32_t start, end;
  std::string text;  // As given, for messages.
};

enum class ImageFormat {
  kSRecord,   // S0 header, S1/S2/S3 data, S9 terminator.
  kIntelHex,  // I32HEX: data and extended linear address records, end record.
  kBinary,    // The bytes from the lowest range start to the highest end,
              // 0xFF where no range reaches.
};

// The shape of the records of a text format: what a loader under test may
// be picky about.
struct RecordShape {
  // The most data bytes a record holds (even with -word).  A record never
  // crosses a multiple of length / unit addresses, nor of 0x10000.
  unsigned length = 32;
  // S-records: the smallest address field of a data record, in bytes.
  unsigned addressSize = 2;
  // The start address: in the terminator (S7/S8/S9), or Intel HEX type 05.
  bool entryGiven = false;
  uint32_t entry = 0;
  bool count = false;  // S-records: an S5/S6 count record after the data.
  bool crlf = false;   // Lines end with CR LF, not LF.
  // S-records: the S0 record's data, instead of the module field and name.
  bool headerGiven = false;
  std::string header;
};

struct ImageSpec {
  // The ranges in command-line order, never sorted or merged.
  std::vector<AddressPair> pairs;
  // Data bytes per address: 1, or 2 when addresses count 16-bit words.
  unsigned unit = 1;
  // The fill: pattern[position % size] when a pattern is given, else the
  // srand(seed)/rand() sequence, one value per data byte.
  std::vector<uint8_t> pattern;
  uint32_t seed = 1;
  // What replaces the fill, each over the one before: the device profile's
  // two regions, matched at a record's address plus the byte's index in it,
  // then the pins in command-line order.
  FixedRegion securityRegion = {};
  FixedRegion blankRegion = {};
  const char* profile = nullptr;  // The family of those regions, if any.
  std::vector<PinnedBlock> pins;
  // Then the check values, over everything before them.
  std::vector<PlacedCheck> checks;
  ImageFormat format = ImageFormat::kSRecord;
  RecordShape shape;
  // Where the image goes: standard output, or the file name, which the
  // S-record header carries (empty for standard output).
  bool toStandardOutput = false;
  std::string name;
};

// The data bytes a pair holds in an image of unit bytes per address.
inline uint64_t pairBytes(const AddressPair& pair, unsigned unit) {
  if (pair.start > pair.end) return 0;
  return (uint64_t{pair.end} - pair.start + 1) * unit;
}

// The lowest start and highest end over the pairs that hold a byte; false
// when none does.
bool imageSpan(const ImageSpec& image, uint32_t* low, uint32_t* high);

// Whether each pair that holds a byte starts above the end of the one
// before: what an image written strictly in order needs.
bool risingWithoutOverlap(const std::vector<AddressPair>& pairs);

#endif  // TOLLIVEX_IMAGE_IMAGE_H_
