// The one way an image is written from its ImageSpec into an output: the
// start, the records of every range in command-line order, the end.  The
// tool, the fuzzer, the tests and the benchmark all come through here.
#ifndef TOLLIVEX_IMAGE_DRIVER_H_
#define TOLLIVEX_IMAGE_DRIVER_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/image.h"
#include "image/writer.h"
#include "io/output.h"

// Ranges are written a slice of at most this many data bytes at a time, so
// that a caller can show progress in between.  A slice ends where a record
// ends, so the records are those of the whole range.
constexpr uint64_t kSliceBytes = uint64_t{1} << 20;

struct ImageDriver {
  ImageWriter writer;
  size_t pair;                    // The pair being written,
  std::vector<AddressPair> runs;  // what its records cover (see align.h),
  size_t run;                     // the run being written,
  uint64_t next;                  // and its next address.
  uint64_t draw;  // The draw of the fill the pair's first byte takes.
  bool started;   // The start of the image is written.
};

enum class DriveStep {
  kMore,    // Call again.
  kDone,    // The image is whole and written out.
  kFailed,  // A write failed, and the output is abandoned: outputError()
            // says why.
};

// Prepares driver to write image, which must outlive it, into out, which
// is open on its descriptor; works out the check values placed before
// their regions.
void startImage(ImageDriver* driver, const ImageSpec& image, Output* out);

// Writes the next part: the start of the image and a slice of data, a
// slice, or the end.  Sets *bytes to the data bytes this call wrote.
DriveStep driveImage(ImageDriver* driver, uint64_t* bytes);

#endif  // TOLLIVEX_IMAGE_DRIVER_H_
