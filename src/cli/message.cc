// Messages to the user on standard error, and user text shown safely.
#include "cli/message.h"

#include <cstdarg>
#include <cstdio>

#include "cli/status_line.h"

namespace {

// The formats hold no control characters, so any in the formatted text came
// from the user and is escaped along with the rest.
void report(const char* prefix, const char* format, va_list args) {
  va_list again;
  va_copy(again, args);
  // The analyzer takes a va_list handed on to a function for uninitialized.
  // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
  int size = vsnprintf(nullptr, 0, format, args);
  std::string text(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
  vsnprintf(&text[0], text.size() + 1, format, again);
  va_end(again);
  eraseStatusLine();
  fprintf(stderr, "Tollivex: %s%s\n", prefix, shownText(text).c_str());
}

}  // namespace

void reportError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  report("", format, args);
  va_end(args);
}

void reportWarning(const char* format, ...) {
  va_list args;
  va_start(args, format);
  report("warning: ", format, args);
  va_end(args);
}

void reportNote(const char* format, ...) {
  va_list args;
  va_start(args, format);
  report("", format, args);
  va_end(args);
}

std::string shownText(const std::string& text) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string shown;
  shown.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if ((byte >= 0x01 && byte <= 0x1F) || byte == 0x7F) {
      shown += "\\x";
      shown += kDigits[byte >> 4];
      shown += kDigits[byte & 0xF];
    } else {
      shown += c;
    }
  }
  return shown;
}
