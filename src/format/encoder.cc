// The one place that picks the encoder of an image's format.
#include "format/encoder.h"

#include <algorithm>
#include <cstring>

void startEncoder(Encoder* encoder, ImageFormat format,
                  const RecordShape& shape, const std::string& name,
                  uint32_t low, uint64_t spanBytes, uint8_t erased) {
  encoder->format = format;
  startSRecords(&encoder->sRecords, shape);
  startIntelHex(&encoder->intelHex, shape);
  startBinary(&encoder->binary, low, erased);
  startTiTxt(&encoder->tiTxt, shape);
  startVmem(&encoder->vmem, shape);
  if (format == ImageFormat::kCArray)
    startCArray(&encoder->cArray, shape, name, low, spanBytes, erased);
}

char* encodeStart(const Encoder& encoder, char* p, const std::string& name) {
  switch (encoder.format) {
    case ImageFormat::kSRecord:
      return encodeSRecordStart(encoder.sRecords, p, name);
    case ImageFormat::kVmem:
      return encodeVmemStart(encoder.vmem, p, name);
    case ImageFormat::kCArray: {
      const std::string& start = encoder.cArray.start;
      return std::copy(start.begin(), start.end(), p);
    }
    case ImageFormat::kIntelHex:
    case ImageFormat::kBinary:
    case ImageFormat::kTiTxt:
      break;
  }
  return p;
}

StretchRoom stretchRoom(Encoder* encoder, uint32_t address, size_t bytes,
                        size_t n) {
  switch (encoder->format) {
    case ImageFormat::kSRecord:
      return {false, false, 0, 0, 0, sRecordRoom(n, bytes)};
    case ImageFormat::kIntelHex:
      return {false, false, 0, 0, 0, intelHexRoom(n, bytes)};
    case ImageFormat::kTiTxt:
      return {false, false, 0, 0, 0, tiTxtRoom(n, bytes)};
    case ImageFormat::kVmem:
      return {false, false, 0, 0, 0, vmemRoom(n, bytes)};
    case ImageFormat::kCArray: {
      CArrayEncoder& array = encoder->cArray;
      array.place = placeBinary(&array.span, address, bytes);
      return {true,
              false,
              cArrayOffset(array, array.place.offset - array.place.gap),
              array.place.gap,
              array.span.erased,
              cArrayRoom(bytes)};
    }
    case ImageFormat::kBinary:
      break;
  }
  const BinaryPlace place = placeBinary(&encoder->binary, address, bytes);
  return {
      true, true, place.offset - place.gap, place.gap, encoder->binary.erased,
      bytes};
}

char* encodeRecords(Encoder* encoder, char* p, const uint8_t* bytes,
                    const RecordCut* cuts, size_t n, size_t size) {
  switch (encoder->format) {
    case ImageFormat::kSRecord:
      return encodeSRecords(&encoder->sRecords, p, bytes, cuts, n);
    case ImageFormat::kIntelHex:
      return encodeIntelHex(&encoder->intelHex, p, bytes, cuts, n);
    case ImageFormat::kTiTxt:
      return encodeTiTxt(&encoder->tiTxt, p, bytes, cuts, n);
    case ImageFormat::kVmem:
      return encodeVmem(&encoder->vmem, p, bytes, cuts, n);
    case ImageFormat::kCArray:
      return encodeCArray(encoder->cArray, p, encoder->cArray.place.offset,
                          bytes, size);
    case ImageFormat::kBinary:
      break;
  }
  return p + size;
}

size_t gapRoom(const Encoder& encoder, size_t count) {
  return encoder.format == ImageFormat::kCArray ? cArrayRoom(count) : count;
}

char* encodeGap(const Encoder& encoder, char* p, uint32_t address,
                const uint8_t* bytes, size_t count) {
  if (encoder.format == ImageFormat::kCArray)
    return encodeCArray(encoder.cArray, p, address - encoder.cArray.span.base,
                        bytes, count);
  memcpy(p, bytes, count);
  return p + count;
}

bool endsAt(const Encoder& encoder, uint64_t* offset) {
  if (encoder.format != ImageFormat::kCArray) return false;
  *offset = cArrayEndOffset(encoder.cArray);
  return true;
}

char* encodeEnd(const Encoder& encoder, char* p) {
  switch (encoder.format) {
    case ImageFormat::kSRecord:
      return encodeSRecordEnd(encoder.sRecords, p);
    case ImageFormat::kIntelHex:
      return encodeIntelHexEnd(encoder.intelHex, p);
    case ImageFormat::kTiTxt:
      return encodeTiTxtEnd(encoder.tiTxt, p);
    case ImageFormat::kCArray:
      return encodeCArrayEnd(encoder.cArray, p);
    case ImageFormat::kVmem:
    case ImageFormat::kBinary:
      break;
  }
  return p;
}
