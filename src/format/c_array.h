// A C array: a comment with the header text, the address and size of the
// image, then every byte (or word) from the lowest to the highest, erased
// flash where no range reaches, 16 elements a line.
//
// Every element takes the same room, so that the text of any byte lies at
// an offset worked out from its address: the array is written by position,
// as a binary image is, and a later range goes back over an earlier one.
#ifndef TOLLIVEX_FORMAT_C_ARRAY_H_
#define TOLLIVEX_FORMAT_C_ARRAY_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "format/binary.h"
#include "format/record.h"

// The most elements a line holds.
constexpr unsigned kMaxCArrayElements = 255;

struct CArrayEncoder {
  const RecordShape* shape;
  BinaryPlace place;   // Of the stretch being written, in the array's bytes.
  BinaryEncoder span;  // Where the array's bytes stand.
  std::string start;   // The text before the first element.
  unsigned wordBytes, perLine, eol;
  unsigned room;   // Of an element and the space after it.
  uint64_t line;   // The room of a whole line of elements.
  uint64_t count;  // The elements of the array.
};

// The array's name for a file name: its last part without the suffix,
// each character but letters, digits and '_' made '_', with '_' before a
// leading digit and after a keyword; "image" for standard output (an
// empty name).
std::string arrayName(const std::string& fileName);

// Prepares encoder for an array of bytes bytes (at most 0xFFFFFFFF, whole
// words) from base on, written to the file name.
void startCArray(CArrayEncoder* encoder, const RecordShape& shape,
                 const std::string& name, uint32_t base, uint64_t bytes,
                 uint8_t erased);

// The text offset of the element that holds the byte at offset.
uint64_t cArrayOffset(const CArrayEncoder& encoder, uint64_t offset);

// The most text count bytes of elements take.
inline size_t cArrayRoom(size_t count) { return 9 * count + 32; }

// The elements of the count bytes at offset in the array, from bytes.
char* encodeCArray(const CArrayEncoder& encoder, char* p, uint64_t offset,
                   const uint8_t* bytes, size_t count);

// Where the text after the last element starts, and the text itself.
uint64_t cArrayEndOffset(const CArrayEncoder& encoder);
char* encodeCArrayEnd(const CArrayEncoder& encoder, char* p);

#endif  // TOLLIVEX_FORMAT_C_ARRAY_H_
