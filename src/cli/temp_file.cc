// The temporary file an image is written into before it takes its name, and
// the signal handling that removes it when a run is cut short.
//
// As in git's tempfile.c, the name lives in a static buffer that the signal
// handler reads; the handler uses only async-signal-safe calls.  Signals are
// blocked while the name and the file's existence change together, so that
// a signal never sees a file without its name or a name without its file.
#include "cli/temp_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "cli/status_line.h"

namespace {

const int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The registered temporary file, when registered is set.
char path[PATH_MAX];
volatile sig_atomic_t registered = 0;

void cleanUpAndDie(int number) {
  if (registered) unlink(path);
  eraseStatusLine();
  // The signal is blocked while its handler runs: raised again with the
  // default action, it ends the process as soon as the handler returns.
  signal(number, SIG_DFL);
  raise(number);
}

// Blocks the cleanup signals for its lifetime.
struct SignalsBlocked {
  sigset_t old;
  SignalsBlocked() {
    sigset_t set;
    sigemptyset(&set);
    for (int number : kCleanupSignals) sigaddset(&set, number);
    sigprocmask(SIG_BLOCK, &set, &old);
  }
  ~SignalsBlocked() { sigprocmask(SIG_SETMASK, &old, nullptr); }
};

}  // namespace

void installSignalCleanup() {
  signal(SIGPIPE, SIG_IGN);
  signal(SIGXFSZ, SIG_IGN);
  for (int number : kCleanupSignals) {
    struct sigaction action = {};
    if (sigaction(number, nullptr, &action) == 0 &&
        action.sa_handler == SIG_IGN)
      continue;
    action.sa_handler = cleanUpAndDie;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(number, &action, nullptr);
  }
}

int createTemporaryFile(const std::string& dir) {
  // A short name of its own, so that a long output name never makes it too
  // long, and a leading dot, so that it stays out of the way of listings.
  SignalsBlocked blocked;
  int size = snprintf(path, sizeof path, "%s/.Tollivex.XXXXXX", dir.c_str());
  if (size < 0 || static_cast<size_t>(size) >= sizeof path) {
    errno = ENAMETOOLONG;
    return -1;
  }
  int fd = mkostemp(path, O_CLOEXEC);
  if (fd >= 0) registered = 1;
  return fd;
}

bool renameTemporaryFile(const std::string& name) {
  SignalsBlocked blocked;
  if (rename(path, name.c_str()) != 0) return false;
  registered = 0;
  return true;
}

void removeTemporaryFile() {
  SignalsBlocked blocked;
  if (!registered) return;
  int error = errno;  // Keep the reason of the failure that led here.
  unlink(path);
  registered = 0;
  errno = error;
}
