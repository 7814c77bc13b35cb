// What a run cut short must undo: its temporary file, and a status line
// left on the terminal.
//
// The temporary file is known by its directory's descriptor and its own
// short name, so that removing it never depends on where that directory is
// now.  Signals are blocked while the file and its registration change
// together, so that a signal never sees a file without its name or a name
// without its file.
#include "io/cleanup.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#if defined(__linux__)
#include <sys/random.h>
#endif

namespace {

const int kCleanupSignals[] = {SIGINT,  SIGTERM, SIGHUP,    SIGQUIT, SIGALRM,
                               SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF, SIGXCPU};

// The registered temporary file, when registered is set.
int directory = -1;
char name[] = ".Tollivex.XXXXXX";
volatile sig_atomic_t registered = 0;
const char* volatile text = nullptr;

// Async-signal-safe: removes the file and writes the text.
void undo() {
  if (registered) {
    unlinkat(directory, name, 0);
    registered = 0;
  }
  const char* t = text;
  if (t != nullptr) {
    ssize_t written = write(STDERR_FILENO, t, strlen(t));
    (void)written;  // Nothing better to do on a failing terminal.
    text = nullptr;
  }
}

void undoAndDie(int number) {
  undo();
  // The signal is blocked while its handler runs: raised again with the
  // default action, it ends the process as soon as the handler returns.
  signal(number, SIG_DFL);
  raise(number);
}

void undoAtExit() { undo(); }

sigset_t cleanupSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int number : kCleanupSignals) sigaddset(&set, number);
  return set;
}

// A hard-to-guess value for the temporary name; O_EXCL keeps a guessed
// one from doing harm.
uint64_t randomValue(unsigned attempt) {
  uint64_t value = 0;
#if defined(__linux__)
  if (getrandom(&value, sizeof value, GRND_NONBLOCK) == sizeof value)
    return value;
#endif
  timespec t;
  clock_gettime(CLOCK_REALTIME, &t);
  return static_cast<uint64_t>(t.tv_nsec) ^
         static_cast<uint64_t>(t.tv_sec) << 30 ^
         static_cast<uint64_t>(getpid()) << 40 ^
         (attempt + 1) * 0x9E3779B97F4A7C15u;
}

}  // namespace

void installCleanup() {
  signal(SIGPIPE, SIG_IGN);
  signal(SIGXFSZ, SIG_IGN);
  struct sigaction action = {};
  action.sa_handler = undoAndDie;
  action.sa_mask = cleanupSet();
  sigaddset(&action.sa_mask, SIGABRT);
  for (int number : kCleanupSignals) {
    struct sigaction old;
    if (sigaction(number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
      continue;
    sigaction(number, &action, nullptr);
  }
  sigaction(SIGABRT, &action, nullptr);
  atexit(undoAtExit);
}

void blockCleanupSignals(sigset_t* old) {
  sigset_t set = cleanupSet();
  pthread_sigmask(SIG_BLOCK, &set, old);
}

void restoreSignals(const sigset_t* old) {
  pthread_sigmask(SIG_SETMASK, old, nullptr);
}

bool cleanupSignalPending() {
  sigset_t pending;
  if (sigpending(&pending) != 0) return false;
  for (int number : kCleanupSignals)
    if (sigismember(&pending, number) == 1) return true;
  return false;
}

int createTemporaryFile(int dirFd, unsigned mode) {
  static const char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const size_t first = sizeof name - 7;  // The six X.
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    uint64_t value = randomValue(attempt);
    char candidate[sizeof name];
    memcpy(candidate, name, sizeof name);
    for (size_t i = first; i < first + 6; ++i, value /= 62)
      candidate[i] = kLetters[value % 62];
    sigset_t old;
    blockCleanupSignals(&old);
    int fd =
        openat(dirFd, candidate, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    int error = errno;
    if (fd >= 0) {
      memcpy(name, candidate, sizeof name);
      directory = dirFd;
      registered = 1;
    }
    restoreSignals(&old);
    if (fd >= 0) return fd;
    if (error != EEXIST) {
      errno = error;
      return -1;
    }
  }
  errno = EEXIST;
  return -1;
}

bool renameTemporaryFile(const char* target) {
  sigset_t old;
  blockCleanupSignals(&old);
  if (cleanupSignalPending()) {
    removeTemporaryFile();
    restoreSignals(&old);  // Where the signal is not blocked, it ends here.
    errno = EINTR;
    return false;
  }
  if (renameat(directory, name, directory, target) != 0) {
    removeTemporaryFile();
    restoreSignals(&old);
    return false;
  }
  registered = 0;
  return true;
}

void removeTemporaryFile() {
  int error = errno;  // Keep the reason of the failure that led here.
  sigset_t old;
  blockCleanupSignals(&old);
  if (registered) unlinkat(directory, name, 0);
  registered = 0;
  restoreSignals(&old);
  errno = error;
}

void setCleanupText(const char* t) { text = t; }

const char* cleanupText() { return text; }
