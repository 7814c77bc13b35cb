// The check values of an image, worked out from its bytes as they are made.
//
// The ranges of an image with check values rise without overlap, so the
// bytes come in address order.  A value placed after its region is worked
// out while the image is written; one placed before needs its region first,
// which a first pass makes, bytes only: the fill is reproducible.
#ifndef TOLLIVEX_IMAGE_CHECK_RUNS_H_
#define TOLLIVEX_IMAGE_CHECK_RUNS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/check_value.h"
#include "image/image.h"

struct CheckRun {
  const PlacedCheck* check;
  CheckSum sum;
  uint64_t next;     // The next address of the region to take.
  bool known;        // The value is worked out,
  uint8_t value[4];  // and these are its bytes, in address order.
};

// A run for each check value of image.
std::vector<CheckRun> startCheckRuns(const ImageSpec& image);

// Whether run's value lies before its region.
inline bool placedAhead(const CheckRun& run) {
  return run.check->address < run.check->start;
}

// Takes the count bytes at address, which come after every byte taken so
// far, into each run not yet known whose region they reach; a run whose
// region they pass is finished.
void takeImageBytes(std::vector<CheckRun>* runs, uint32_t address,
                    const uint8_t* bytes, size_t count);

// Finishes run: the rest of its region, which no range covers, counts as
// erased flash.
void finishCheckRun(CheckRun* run);

// Puts the value bytes that fall among the count bytes at address into
// bytes, finishing the runs they belong to first.
void placeCheckValues(std::vector<CheckRun>* runs, uint32_t address,
                      uint8_t* bytes, size_t count);

#endif  // TOLLIVEX_IMAGE_CHECK_RUNS_H_
