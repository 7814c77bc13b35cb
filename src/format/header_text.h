// The header text of an image: the S0 record's data, and the first comment
// of Verilog memory and C arrays.
#ifndef TOLLIVEX_FORMAT_HEADER_TEXT_H_
#define TOLLIVEX_FORMAT_HEADER_TEXT_H_

#include <cstddef>
#include <string>

#include "format/record.h"

// The most bytes of the file name a header without -header holds, as the
// S0 record always had it.
constexpr size_t kHeaderNameBytes = 36;

// The header text of an image written to name: -header's, or the name.
std::string headerText(const RecordShape& shape, const std::string& name);

// The header text as a comment may hold it: control bytes and bytes past
// ASCII become '?', and so does the '/' of a "*/" or "/*" in a C comment,
// which would end the comment or draw a warning.
std::string commentText(const std::string& text, bool cComment);

#endif  // TOLLIVEX_FORMAT_HEADER_TEXT_H_
