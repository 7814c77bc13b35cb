// The check values of an image, worked out from its bytes as a pass over
// them makes them.
//
// The ranges of an image with check values rise without overlap, so a pass
// meets the bytes in address order.  A value placed after its region is
// worked out when the pass reaches it; one placed before its region must be
// known by then, from an earlier pass.
#ifndef TOLLIVEX_IMAGE_CHECK_RUNS_H_
#define TOLLIVEX_IMAGE_CHECK_RUNS_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "image/check_value.h"
#include "image/image.h"

// A check value, once worked out.
struct CheckValue {
  bool known = false;
  uint8_t bytes[4] = {};  // In address order.
};

// A value being worked out: the bytes of its region so far.
struct CheckRun {
  size_t check;  // Its index in the image's checks.
  CheckSum sum;
  uint64_t next;  // The next address of the region to take.
};

struct CheckPass {
  const ImageSpec* image;
  std::vector<CheckValue>* values;  // Indexed as the image's checks.
  std::vector<CheckRun> runs;       // The values this pass works out.
  // The CRC engines of their models, one for each model and feed.
  std::vector<std::unique_ptr<CrcEngine>> engines;
  std::vector<size_t> byAddress;  // Every check, by value address.
  size_t placed;                  // byAddress[placed] is the next to meet.
};

// Prepares pass to work out the checks of image listed in work, given the
// values known already; both must outlive it.
void startCheckPass(CheckPass* pass, const ImageSpec& image,
                    std::vector<CheckValue>* values,
                    const std::vector<size_t>& work);

// Takes the count bytes at address, which come after every byte taken so
// far, in address order: each value that lies among them is put in as soon
// as it is known, and the bytes before it go into the runs before it does,
// so that a value inside another's region counts in it as placed.
void passBytes(CheckPass* pass, uint32_t address, uint8_t* bytes, size_t count);

// Works out every value of the pass not yet known: the rest of its region,
// which no range covers, counts as erased flash.
void finishCheckPass(CheckPass* pass);

#endif  // TOLLIVEX_IMAGE_CHECK_RUNS_H_
