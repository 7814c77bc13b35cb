// The one place that picks the encoder of an image's format.  The record
// stream hands every encoder the same things (the start, the records of a
// stretch, the end) and never asks which format it feeds.
#ifndef TOLLIVEX_FORMAT_ENCODER_H_
#define TOLLIVEX_FORMAT_ENCODER_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "format/binary.h"
#include "format/intel_hex.h"
#include "format/record.h"
#include "format/srecord.h"
#include "format/ti_txt.h"

enum class ImageFormat {
  kSRecord,   // S0 header, S1/S2/S3 data, S9 terminator.
  kIntelHex,  // I32HEX: data and extended linear address records, end record.
  kBinary,    // The bytes from the lowest range start to the highest end,
              // erased flash where no range reaches.
  kTiTxt,     // TI-TXT: "@ADDR" before each run of bytes, "q" at the end.
};

// The most data bytes a record of format holds: 250 in an S-record (with a
// 4-byte address), 255 in Intel HEX and in a TI-TXT line.
inline unsigned maxRecordLength(ImageFormat format) {
  return format == ImageFormat::kIntelHex ? kMaxIntelHexData
         : format == ImageFormat::kTiTxt  ? kMaxTiTxtData
                                          : kMaxSRecordData;
}

struct Encoder {
  ImageFormat format;
  SRecordEncoder sRecords;
  IntelHexEncoder intelHex;
  BinaryEncoder binary;
  TiTxtEncoder tiTxt;
};

// Prepares encoder for format.  shape must outlive it; a binary image's
// first byte lies at binaryBase, and erased stands in its gaps.
void startEncoder(Encoder* encoder, ImageFormat format,
                  const RecordShape& shape, uint32_t binaryBase,
                  uint8_t erased);

// The most text the start and the end of an image take.
constexpr size_t kMaxStartText = kMaxSRecordLine;
constexpr size_t kMaxEndText = 2 * kMaxSRecordLine;

// What comes before the data (the S0 record naming name, in S-records).
char* encodeStart(const Encoder& encoder, char* p, const std::string& name);

// Where the bytes of a stretch go, and the room they take in the output.
struct StretchRoom {
  // Binary: the stretch's data bytes are made right in the output, at
  // offset, after gap bytes of the erased value from offset - gap on.
  bool inPlace;
  uint64_t offset, gap;
  uint8_t gapByte;
  size_t size;  // The room to make in the output.
};

// The room of n records of bytes data bytes in all, the first at address.
StretchRoom stretchRoom(Encoder* encoder, uint32_t address, size_t bytes,
                        size_t n);

// The records of cuts, from bytes, formatted at p (in place, a binary
// image's bytes stand there already); returns the end.
char* encodeRecords(Encoder* encoder, char* p, const uint8_t* bytes,
                    const RecordCut* cuts, size_t n, size_t size);

// What comes after the data.
char* encodeEnd(const Encoder& encoder, char* p);

#endif  // TOLLIVEX_FORMAT_ENCODER_H_
