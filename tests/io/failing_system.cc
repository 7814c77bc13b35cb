// A system table for the tests that fails the call chosen.
#include "io/failing_system.h"

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

namespace {

std::mutex mutex;
std::string failing;
int failAt = 0, failError = 0;
std::vector<std::string> calls;

// Records call; true, with errno set, when it is the one to fail.
bool fails(const char* call) {
  std::lock_guard<std::mutex> lock(mutex);
  calls.push_back(call);
  int seen = 0;
  for (const std::string& c : calls) seen += c == call;
  if (failing != call || seen != failAt) return false;
  errno = failError;
  return true;
}

}  // namespace

void failCall(const std::string& call, int occurrence, int error) {
  std::lock_guard<std::mutex> lock(mutex);
  failing = call;
  failAt = occurrence;
  failError = error;
  calls.clear();
}

std::vector<std::string> recordedCalls() {
  std::lock_guard<std::mutex> lock(mutex);
  return calls;
}

const System& failingSystem() {
  static const System kFailing = {
      [](int dir, const char* name, int flags, mode_t mode) {
        return fails("openat") ? -1 : openat(dir, name, flags, mode);
      },
      [](int fd, const void* data, size_t size) -> ssize_t {
        return fails("write") ? -1 : write(fd, data, size);
      },
      [](int fd, const void* data, size_t size, off_t at) -> ssize_t {
        return fails("pwrite") ? -1 : pwrite(fd, data, size, at);
      },
      [](int fd, off_t offset, int whence) -> off_t {
        return fails("lseek") ? -1 : lseek(fd, offset, whence);
      },
      [](int fd) { return fails("fdatasync") ? -1 : fdatasync(fd); },
      [](int fd) { return fails("fsync") ? -1 : fsync(fd); },
      [](int fd) { return fails("close") ? -1 : close(fd); },
      [](int fromDir, const char* from, int toDir, const char* to) {
        return fails("renameat") ? -1 : renameat(fromDir, from, toDir, to);
      },
      [](int dir, const char* name, int flags) {
        return fails("unlinkat") ? -1 : unlinkat(dir, name, flags);
      },
      [](int fd, uid_t owner, gid_t group) {
        return fails("fchown") ? -1 : fchown(fd, owner, group);
      },
      [](int fd, mode_t mode) {
        return fails("fchmod") ? -1 : fchmod(fd, mode);
      },
      [](int fd, struct stat* st) {
        return fails("fstat") ? -1 : fstat(fd, st);
      },
      [](const char* path, const char* name, void* value,
         size_t size) -> ssize_t {
        return fails("getxattr") ? -1 : getxattr(path, name, value, size);
      },
      [](int fd, const char* name, void* value, size_t size) -> ssize_t {
        return fails("fgetxattr") ? -1 : fgetxattr(fd, name, value, size);
      },
      [](int fd, const char* name, const void* value, size_t size, int flags) {
        return fails("fsetxattr") ? -1
                                  : fsetxattr(fd, name, value, size, flags);
      },
      [](int fd, const char* name) {
        return fails("fremovexattr") ? -1 : fremovexattr(fd, name);
      },
      [](pthread_t* thread, void* (*run)(void*), void* arg) {
        return fails("startThread") ? errno
                                    : pthread_create(thread, nullptr, run, arg);
      },
  };
  return kFailing;
}
