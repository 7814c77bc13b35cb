// A C array, written by position as a binary image is.
#include "format/c_array.h"

#include <cstdio>
#include <cstring>

#include "format/header_text.h"
#include "format/hex_digits.h"

namespace {

// Words a name of the array cannot be: the keywords of C99 and C++11, and
// the macros a GNU compiler defines on its own.
const char* const kTaken[] = {"_Bool",
                              "_Complex",
                              "_Imaginary",
                              "alignas",
                              "alignof",
                              "and",
                              "and_eq",
                              "asm",
                              "auto",
                              "bitand",
                              "bitor",
                              "bool",
                              "break",
                              "case",
                              "catch",
                              "char",
                              "char16_t",
                              "char32_t",
                              "class",
                              "compl",
                              "const",
                              "const_cast",
                              "constexpr",
                              "continue",
                              "decltype",
                              "default",
                              "delete",
                              "do",
                              "double",
                              "dynamic_cast",
                              "else",
                              "enum",
                              "explicit",
                              "export",
                              "extern",
                              "false",
                              "float",
                              "for",
                              "friend",
                              "goto",
                              "i386",
                              "if",
                              "inline",
                              "int",
                              "linux",
                              "long",
                              "mutable",
                              "namespace",
                              "new",
                              "noexcept",
                              "not",
                              "not_eq",
                              "nullptr",
                              "operator",
                              "or",
                              "or_eq",
                              "private",
                              "protected",
                              "public",
                              "register",
                              "reinterpret_cast",
                              "restrict",
                              "return",
                              "short",
                              "signed",
                              "sizeof",
                              "static",
                              "static_assert",
                              "static_cast",
                              "struct",
                              "switch",
                              "template",
                              "this",
                              "thread_local",
                              "throw",
                              "true",
                              "try",
                              "typedef",
                              "typeid",
                              "typename",
                              "union",
                              "unix",
                              "unsigned",
                              "using",
                              "virtual",
                              "void",
                              "volatile",
                              "wchar_t",
                              "while",
                              "xor",
                              "xor_eq"};

bool endsWith(const std::string& text, const char* end) {
  const size_t n = strlen(end);
  return text.size() >= n && text.compare(text.size() - n, n, end) == 0;
}

// Whether name would clash with the language or with <stdint.h>: a
// keyword, a type or limit macro's form (_t, _MAX, _MIN, _C), or a name
// the implementation keeps (a leading "__" or '_' and a capital).
bool taken(const std::string& name) {
  for (const char* word : kTaken)
    if (name == word) return true;
  return endsWith(name, "_t") || endsWith(name, "_MAX") ||
         endsWith(name, "_MIN") || endsWith(name, "_C") ||
         (name.size() > 1 && name[0] == '_' &&
          (name[1] == '_' || (name[1] >= 'A' && name[1] <= 'Z')));
}

}  // namespace

std::string arrayName(const std::string& fileName) {
  if (fileName.empty()) return "image";
  std::string name = fileName.substr(fileName.rfind('/') + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  // No file's last part is longer; a longer name is refused when opened.
  if (name.size() > 255) name.resize(255);
  for (char& c : name) {
    const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                      (c >= '0' && c <= '9') || c == '_';
    if (!word) c = '_';
  }
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) name.insert(0, "_");
  if (taken(name)) name += '_';
  return name;
}

void startCArray(CArrayEncoder* encoder, const RecordShape& shape,
                 const std::string& name, uint32_t base, uint64_t bytes,
                 uint8_t erased) {
  CArrayEncoder& e = *encoder;
  e.shape = &shape;
  e.place = {};
  startBinary(&e.span, base, erased);
  e.wordBytes = shape.width / 8;
  e.perLine = shape.length / e.wordBytes;
  e.eol = shape.crlf ? 2 : 1;
  // "0xXX, ", "0xXXXXu, " or "0xXXXXXXXXu, "; the last of a line ends it.
  e.room = 2 * e.wordBytes + (e.wordBytes == 1 ? 4 : 5);
  e.line = 2 + uint64_t{e.perLine} * e.room - 1 + e.eol;
  e.count = bytes / e.wordBytes;
  const std::string id = arrayName(name);
  const char* eol = shape.crlf ? "\r\n" : "\n";
  char text[160];
  e.start = "/* " + commentText(headerText(shape, name), true) + " */" + eol;
  e.start += std::string("#include <stdint.h>") + eol + eol;
  snprintf(text, sizeof text, " = 0x%08Xu;%s", base, eol);
  e.start += "const uint32_t " + id + "_address" + text;
  snprintf(text, sizeof text, " = %lluu;%s",
           static_cast<unsigned long long>(bytes), eol);
  e.start += "const uint32_t " + id + "_size" + text;
  snprintf(text, sizeof text, "[%llu] = {%s",
           static_cast<unsigned long long>(e.count), eol);
  e.start += "const uint" + std::to_string(shape.width) + "_t " + id + text;
}

uint64_t cArrayOffset(const CArrayEncoder& e, uint64_t offset) {
  const uint64_t element = offset / e.wordBytes;
  const uint64_t column = element % e.perLine;
  return e.start.size() + element / e.perLine * e.line +
         (column == 0 ? 0 : 2 + column * e.room);
}

char* encodeCArray(const CArrayEncoder& e, char* p, uint64_t offset,
                   const uint8_t* bytes, size_t count) {
  const RecordShape& shape = *e.shape;
  const unsigned flip = shape.bigEndian ? 0 : e.wordBytes - 1;
  uint64_t element = offset / e.wordBytes;
  unsigned column = static_cast<unsigned>(element % e.perLine);
  for (size_t k = 0; k < count; k += e.wordBytes, ++element) {
    if (column == 0) {  // The indent.
      *p++ = ' ';
      *p++ = ' ';
    }
    *p++ = '0';
    *p++ = 'x';
    for (unsigned b = 0; b < e.wordBytes; ++b)
      p = putByte(p, bytes[k + (b ^ flip)]);
    if (e.wordBytes != 1) *p++ = 'u';
    *p++ = ',';
    if (++column == e.perLine || element + 1 == e.count) {
      p = endLine(p, shape.crlf);
      column = 0;
    } else {
      *p++ = ' ';
    }
  }
  return p;
}

uint64_t cArrayEndOffset(const CArrayEncoder& e) {
  const uint64_t rest = e.count % e.perLine;
  return e.start.size() + e.count / e.perLine * e.line +
         (rest == 0 ? 0 : 2 + rest * e.room - 1 + e.eol);
}

char* encodeCArrayEnd(const CArrayEncoder& e, char* p) {
  *p++ = '}';
  *p++ = ';';
  return endLine(p, e.shape->crlf);
}
