// A system table for the tests that fails the call chosen.
#include "io/failing_system.h"

#include <fcntl.h>

#include <mutex>

namespace {

std::mutex mutex;
std::string failing;
int failAt = 0, failError = 0;
std::vector<std::string> calls;
std::string denied;
int deniedError = 0;

// The error an open of name with flags meets, as denyOpen has it.
int deniedFor(const char* name, int flags) {
  std::lock_guard<std::mutex> lock(mutex);
#if defined(O_PATH)
  if ((flags & O_PATH) != 0) return 0;
#endif
  const std::string n = name;
  const bool starts = !denied.empty() && denied.back() == '*';
  const bool match = starts ? n.compare(0, denied.size() - 1, denied, 0,
                                        denied.size() - 1) == 0
                            : n == denied;
  return match ? deniedError : 0;
}

// Records call; the error to fail it with, or 0 to make it.
int fails(const char* call) {
  std::lock_guard<std::mutex> lock(mutex);
  calls.push_back(call);
  int seen = 0;
  for (const std::string& c : calls) seen += c == call;
  return failing == call && seen == failAt ? failError : 0;
}

// An entry that makes the real call, through the real table, unless it is
// the one to fail; then what the call yields besides stays as it was.
#define PASS(call)                                    \
  [](auto... args) {                                  \
    if (const int error = fails(#call)) return error; \
    return realSystem().call(args...);                \
  }

}  // namespace

void failCall(const std::string& call, int occurrence, int error) {
  std::lock_guard<std::mutex> lock(mutex);
  failing = call;
  failAt = occurrence;
  failError = error;
  calls.clear();
}

void denyOpen(const std::string& prefix, int error) {
  std::lock_guard<std::mutex> lock(mutex);
  denied = prefix;
  deniedError = error;
}

std::vector<std::string> recordedCalls() {
  std::lock_guard<std::mutex> lock(mutex);
  return calls;
}

const System& failingSystem() {
  static const System kFailing = {
      [](int dir, const char* name, int flags, mode_t mode, int* fd) {
        if (const int error = deniedFor(name, flags)) {
          fails("openat");
          return error;
        }
        return PASS(openat)(dir, name, flags, mode, fd);
      },
      PASS(write),
      PASS(pwrite),
      PASS(lseek),
      PASS(fdatasync),
      PASS(fsync),
      PASS(close),
      PASS(renameat),
      PASS(unlinkat),
      PASS(fchown),
      PASS(fchmod),
      PASS(fstat),
      PASS(getxattr),
      PASS(fgetxattr),
      PASS(fsetxattr),
      PASS(fremovexattr),
      PASS(isatty),
      PASS(startThread),
  };
  return kFailing;
}
