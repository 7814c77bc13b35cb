// Messages to the user on standard error.
#include "cli/message.h"

#include <cstdarg>
#include <cstdio>

#include "cli/status_line.h"

namespace {

void report(const char* prefix, const char* format, va_list args) {
  eraseStatusLine();
  fprintf(stderr, "Tollivex: %s", prefix);
  // The analyzer takes a va_list handed on to a function for uninitialized.
  // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
  vfprintf(stderr, format, args);
  fputc('\n', stderr);
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
