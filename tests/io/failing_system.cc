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

// The real call, through the real table, unless it is the one to fail:
// then what the failure yields besides its error.
#define PASS(call, ...)                             \
  if (const int error = fails(#call)) return error; \
  return realSystem().call(__VA_ARGS__)

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
        *fd = -1;
        if (const int error = deniedFor(name, flags)) {
          fails("openat");
          return error;
        }
        PASS(openat, dir, name, flags, mode, fd);
      },
      [](int fd, const void* data, size_t size, size_t* written) {
        *written = 0;
        PASS(write, fd, data, size, written);
      },
      [](int fd, const void* data, size_t size, off_t at, size_t* written) {
        *written = 0;
        PASS(pwrite, fd, data, size, at, written);
      },
      [](int fd, off_t offset, int whence, off_t* at) {
        *at = -1;
        PASS(lseek, fd, offset, whence, at);
      },
      [](int fd) { PASS(fdatasync, fd); },
      [](int fd) { PASS(fsync, fd); },
      [](int fd) { PASS(close, fd); },
      [](int fromDir, const char* from, int toDir, const char* to) {
        PASS(renameat, fromDir, from, toDir, to);
      },
      [](int dir, const char* name, int flags) {
        PASS(unlinkat, dir, name, flags);
      },
      [](int fd, uid_t owner, gid_t group) { PASS(fchown, fd, owner, group); },
      [](int fd, mode_t mode) { PASS(fchmod, fd, mode); },
      [](int fd, struct stat* st) { PASS(fstat, fd, st); },
      [](const char* path, const char* name, void* value, size_t size,
         size_t* length) {
        *length = 0;
        PASS(getxattr, path, name, value, size, length);
      },
      [](int fd, const char* name, void* value, size_t size, size_t* length) {
        *length = 0;
        PASS(fgetxattr, fd, name, value, size, length);
      },
      [](int fd, const char* name, const void* value, size_t size, int flags) {
        PASS(fsetxattr, fd, name, value, size, flags);
      },
      [](int fd, const char* name) { PASS(fremovexattr, fd, name); },
      [](int fd) { PASS(isatty, fd); },
      [](pthread_t* thread, void* (*run)(void*), void* arg) {
        PASS(startThread, thread, run, arg);
      },
  };
  return kFailing;
}
