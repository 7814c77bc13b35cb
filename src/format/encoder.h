// The one place that picks the encoder of an image's format.  The record
// stream hands every encoder the same things (the start, the records of a
// stretch, the end) and never asks which format it feeds.
#ifndef TOLLIVEX_FORMAT_ENCODER_H_
#define TOLLIVEX_FORMAT_ENCODER_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "format/binary.h"
#include "format/c_array.h"
#include "format/intel_hex.h"
#include "format/record.h"
#include "format/srecord.h"
#include "format/ti_txt.h"
#include "format/verilog_memory.h"

enum class ImageFormat {
  kSRecord,   // S0 header, S1/S2/S3 data, S9 terminator.
  kIntelHex,  // I32HEX: data and extended linear address records, end record.
  kBinary,    // The bytes from the lowest range start to the highest end,
              // erased flash where no range reaches.
  kTiTxt,     // TI-TXT: "@ADDR" before each run of bytes, "q" at the end.
  kVmem,      // Verilog memory: "@ADDR" before each run of words.
  kCArray,    // A C array of the bytes (or words) over the binary span.
};

// Whether format writes every byte from the lowest range start to the
// highest end, erased flash in the gaps, by position.
inline bool spansImage(ImageFormat format) {
  return format == ImageFormat::kBinary || format == ImageFormat::kCArray;
}

// Whether -reclen counts the words of a line, not the bytes of a record.
inline bool linesOfWords(ImageFormat format) {
  return format == ImageFormat::kVmem || format == ImageFormat::kCArray;
}

// The most data bytes a record of format holds (words, where lines hold
// words): 250 in an S-record (with a 4-byte address), 255 in Intel HEX and
// in the lines of the others.
inline unsigned maxRecordLength(ImageFormat format) {
  switch (format) {
    case ImageFormat::kSRecord:
    case ImageFormat::kBinary:  // Cut as S-records are, for the fill.
      break;
    case ImageFormat::kIntelHex:
      return kMaxIntelHexData;
    case ImageFormat::kTiTxt:
      return kMaxTiTxtData;
    case ImageFormat::kVmem:
      return kMaxVmemWords;
    case ImageFormat::kCArray:
      return kMaxCArrayElements;
  }
  return kMaxSRecordData;
}

struct Encoder {
  ImageFormat format;
  SRecordEncoder sRecords;
  IntelHexEncoder intelHex;
  BinaryEncoder binary;
  TiTxtEncoder tiTxt;
  VmemEncoder vmem;
  CArrayEncoder cArray;
};

// Prepares encoder for format, for an image written to the file name.
// shape must outlive it; an image that spans has spanBytes bytes from low
// on, and erased stands in its gaps.
void startEncoder(Encoder* encoder, ImageFormat format,
                  const RecordShape& shape, const std::string& name,
                  uint32_t low, uint64_t spanBytes, uint8_t erased);

// The most text the start and the end of an image take.
constexpr size_t kMaxStartText = 2048;
constexpr size_t kMaxEndText = 2 * kMaxSRecordLine;

// What comes before the data (the S0 record naming name, in S-records).
char* encodeStart(const Encoder& encoder, char* p, const std::string& name);

// Where the bytes of a stretch go, and the room they take in the output.
struct StretchRoom {
  // An image that spans goes to offset at, where gap bytes of the erased
  // value (up to the stretch's address) come first.
  bool spans;
  // Binary: the stretch's data bytes are made right in the output.
  bool inPlace;
  uint64_t at, gap;
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

// The room, and the text, of the count bytes from address on of the gap
// of an image that spans.
size_t gapRoom(const Encoder& encoder, size_t count);
char* encodeGap(const Encoder& encoder, char* p, uint32_t address,
                const uint8_t* bytes, size_t count);

// Where what comes after the data goes: where the output stands, or, for
// an image that spans, past its highest byte.
bool endsAt(const Encoder& encoder, uint64_t* offset);

// What comes after the data.
char* encodeEnd(const Encoder& encoder, char* p);

#endif  // TOLLIVEX_FORMAT_ENCODER_H_
