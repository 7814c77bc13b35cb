// Motorola S-records: the S0 header, S1/S2/S3 data, the S5/S6 count and the
// S7/S8/S9 terminator.
#include "format/srecord.h"

#include "format/header_text.h"

namespace {

// The size of the smallest address field (2, 3 or 4 bytes) that holds
// address, but at least smallest.
inline unsigned addressFieldSize(uint32_t address, unsigned smallest) {
  unsigned size = address <= 0xFFFF ? 2 : address <= 0xFFFFFF ? 3 : 4;
  return size > smallest ? size : smallest;
}

// Writes the record head "S<type><count><address>" with addressSize bytes
// of address, where count covers dataBytes more and the checksum; returns
// the next position and adds the bytes to *sum.
char* putHead(char* p, char type, unsigned addressSize, size_t dataBytes,
              uint32_t address, unsigned* sum) {
  *p++ = 'S';
  *p++ = type;
  auto count = static_cast<uint8_t>(addressSize + dataBytes + 1);
  p = putByte(p, count);
  *sum += count;
  for (int i = static_cast<int>(addressSize) - 1; i >= 0; --i) {
    auto byte = static_cast<uint8_t>(address >> (8 * i));
    p = putByte(p, byte);
    *sum += byte;
  }
  return p;
}

// Ends a record with its checksum and the line end.
char* putChecksum(char* p, unsigned sum, bool crlf) {
  p = putByte(p, static_cast<uint8_t>(~sum));
  if (crlf) *p++ = '\r';
  *p++ = '\n';
  return p;
}

// A record of a type whose address field says all.
char* putAddressOnly(char* p, char type, unsigned addressSize, uint32_t address,
                     bool crlf) {
  unsigned sum = 0;
  p = putHead(p, type, addressSize, 0, address, &sum);
  return putChecksum(p, sum, crlf);
}

// The S1, S2 or S3 record, for an address field of 2, 3 or 4 bytes that
// holds address, of count (1 to 250) bytes at address; reads up to 15 bytes
// past them.  Inline: it runs once a record, and its call would cost as
// much as its head.
inline char* putData(char* p, uint32_t address, unsigned addressSize,
                     const uint8_t* bytes, unsigned count, bool crlf) {
  // The count, then the address bytes of the field, most significant
  // first.
  const uint64_t head =
      (addressSize + count + 1) |
      uint64_t{__builtin_bswap32(address) >> (32 - 8 * addressSize)} << 8;
  unsigned sum = 0;
  p[0] = 'S';
  p[1] = static_cast<char>('0' + addressSize - 1);
  p = putRecordBytes(p + 2, head, 1 + addressSize, bytes, count, &sum);
  p = putByte(p, static_cast<uint8_t>(~sum));
  if (crlf) *p++ = '\r';
  *p++ = '\n';
  return p;
}

}  // namespace

void startSRecords(SRecordEncoder* encoder, const RecordShape& shape) {
  *encoder = {&shape, 0, 0};
}

char* encodeSRecordStart(const SRecordEncoder& encoder, char* p,
                         const std::string& name) {
  static const char kModule[22] = {'D', 'u', 'm', 'm', 'y', 'S', 'R', 'E',
                                   'C', 0,   0,   0,   0,   0,   0,   0,
                                   0,   0,   0,   0,   1,   1};
  const RecordShape& shape = *encoder.shape;
  const std::string data =
      shape.headerGiven
          ? shape.header
          : std::string(kModule, sizeof kModule) + headerText(shape, name);
  unsigned sum = 0;
  p = putHead(p, '0', 2, data.size(), 0, &sum);
  p = putBytes(p, reinterpret_cast<const uint8_t*>(data.data()), data.size(),
               &sum);
  return putChecksum(p, sum, shape.crlf);
}

char* encodeSRecords(SRecordEncoder* encoder, char* p, const uint8_t* bytes,
                     const RecordCut* cuts, size_t n) {
  if (n == 0) return p;
  // The text goes through char pointers, which may alias anything, so what
  // the loop reads of the encoder is held in locals.
  const unsigned smallest = encoder->shape->addressSize;
  const bool crlf = encoder->shape->crlf;
  // The address field only grows with the address: the last record has the
  // widest, and where the first has as wide a one, all do.
  const unsigned lastField = addressFieldSize(cuts[n - 1].address, smallest);
  const bool oneField =
      addressFieldSize(cuts[0].address, smallest) == lastField;
  for (const RecordCut* cut = cuts; cut != cuts + n; ++cut) {
    const uint32_t address = cut->address;
    const unsigned field =
        oneField ? lastField : addressFieldSize(address, smallest);
    p = putData(p, address, field, bytes + cut->offset, cut->size, crlf);
  }
  if (lastField > encoder->widestField) encoder->widestField = lastField;
  encoder->records += n;
  return p;
}

char* encodeSRecordEnd(const SRecordEncoder& encoder, char* p) {
  const RecordShape& shape = *encoder.shape;
  if (shape.count) {
    const auto records = static_cast<uint32_t>(encoder.records);
    p = records <= 0xFFFF ? putAddressOnly(p, '5', 2, records, shape.crlf)
                          : putAddressOnly(p, '6', 3, records, shape.crlf);
  }
  unsigned size = 2;
  if (shape.entryGiven) {
    size = addressFieldSize(shape.entry, shape.addressSize);
    if (encoder.widestField > size) size = encoder.widestField;
  }
  return putAddressOnly(p, static_cast<char>('0' + 11 - size), size,
                        shape.entry, shape.crlf);
}
