// The one place that picks the encoder of an image's format.
#include "format/encoder.h"

void startEncoder(Encoder* encoder, ImageFormat format,
                  const RecordShape& shape, uint32_t binaryBase,
                  uint8_t erased) {
  encoder->format = format;
  startSRecords(&encoder->sRecords, shape);
  startIntelHex(&encoder->intelHex, shape);
  startBinary(&encoder->binary, binaryBase, erased);
  startTiTxt(&encoder->tiTxt, shape);
}

char* encodeStart(const Encoder& encoder, char* p, const std::string& name) {
  if (encoder.format != ImageFormat::kSRecord) return p;
  return encodeSRecordStart(encoder.sRecords, p, name);
}

StretchRoom stretchRoom(Encoder* encoder, uint32_t address, size_t bytes,
                        size_t n) {
  switch (encoder->format) {
    case ImageFormat::kSRecord:
      return {false, 0, 0, 0, sRecordRoom(n, bytes)};
    case ImageFormat::kIntelHex:
      return {false, 0, 0, 0, intelHexRoom(n, bytes)};
    case ImageFormat::kTiTxt:
      return {false, 0, 0, 0, tiTxtRoom(n, bytes)};
    case ImageFormat::kBinary:
      break;
  }
  const BinaryPlace place = placeBinary(&encoder->binary, address, bytes);
  return {true, place.offset, place.gap, encoder->binary.erased, bytes};
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
    case ImageFormat::kBinary:
      break;
  }
  return p + size;
}

char* encodeEnd(const Encoder& encoder, char* p) {
  switch (encoder.format) {
    case ImageFormat::kSRecord:
      return encodeSRecordEnd(encoder.sRecords, p);
    case ImageFormat::kIntelHex:
      return encodeIntelHexEnd(encoder.intelHex, p);
    case ImageFormat::kTiTxt:
      return encodeTiTxtEnd(encoder.tiTxt, p);
    case ImageFormat::kBinary:
      break;
  }
  return p;
}
