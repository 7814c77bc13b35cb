// The data bytes of an image, made by position: the fill, then the pinned
// bytes.  The random fill is one draw per data byte in command-line order,
// so any byte can be made again from its draw, without writing the image
// up to it.
#ifndef TOLLIVEX_IMAGE_IMAGE_BYTES_H_
#define TOLLIVEX_IMAGE_IMAGE_BYTES_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/fill.h"
#include "image/image.h"
#include "image/keyed_ahead.h"
#include "image/pins.h"

// The most data bytes made at once.
constexpr size_t kStretchBytes = 4096;

struct ImageBytes {
  const ImageSpec* image;
  FillGenerator fill;  // Seeded from the image; unused with a pattern.
  uint64_t draws;      // Draws the fill has made.
  // The pattern written out to a stretch and a pattern more, so that the
  // fill of any stretch is one copy from offset position % pattern size.
  std::vector<uint8_t> pattern;
  // Where a keyed fill made ahead on threads comes from; null when the
  // bytes make it themselves.
  KeyedAhead* ahead = nullptr;
  PinMap pins;
  PinCursor cursor;     // Where the last bytes were pinned,
  uint64_t pinnedFrom;  // from this position on.
  // With -word a profile's blocks are matched at each record's address plus
  // the byte's index in it, so the pins must wait for the records too.
  bool byRecord;
};

// Prepares bytes to make the data bytes of image, which must outlive it.
void startImageBytes(ImageBytes* bytes, const ImageSpec& image);

// Makes the count (at most kStretchBytes) data bytes from address on into
// out; the first of them takes the draw-th value of the fill, and draws
// never go back.  Pins them too, unless bytes->byRecord.
void makeBytes(ImageBytes* bytes, uint32_t address, uint64_t draw, size_t count,
               uint8_t* out);

// Makes the count bytes from address on of a run of pair (see align.h)
// into out: the pair's own by makeBytes, its first byte taking the
// pairDraw-th value, and the padding erased, but a profile block's bytes
// where one lies.
void makeRunBytes(ImageBytes* bytes, const AddressPair& pair, uint64_t pairDraw,
                  uint32_t address, size_t count, uint8_t* out);

// With bytes->byRecord: pins the count bytes of the record at address.
void pinRecord(ImageBytes* bytes, uint32_t address, size_t count, uint8_t* out);

#endif  // TOLLIVEX_IMAGE_IMAGE_BYTES_H_
