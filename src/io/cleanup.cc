// What a run cut short must undo: its temporary file, and whatever the
// hooks undo.
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
#include <cstdlib>
#include <cstring>
#include <ctime>

#if defined(__linux__)
#include <sys/random.h>
#endif

namespace {

// Every signal whose default action ends the process, but KILL and STOP,
// PIPE and XFSZ; the real-time ones are added where the set is made.
const int kCleanupSignals[] = {
    SIGHUP,    SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP, SIGABRT,
    SIGBUS,    SIGFPE,  SIGUSR1,   SIGSEGV, SIGUSR2, SIGALRM,
    SIGTERM,   SIGXCPU, SIGVTALRM, SIGPROF, SIGSYS,
#if defined(SIGSTKFLT)
    SIGSTKFLT,
#endif
#if defined(SIGIO)
    SIGIO,
#endif
#if defined(SIGPWR)
    SIGPWR,
#endif
};

// The signals a fault raises in the thread that faults.
const int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS};

// The registered temporary file, when registered is set.
int directory = -1;
char name[] = ".Tollivex.XXXXXX";
volatile sig_atomic_t registered = 0;
void (*volatile hooks[4])() = {};
volatile sig_atomic_t hookCount = 0;

// Async-signal-safe: removes the file and runs the hooks.
void undo() {
  if (registered) {
    unlinkat(directory, name, 0);
    registered = 0;
  }
  for (sig_atomic_t i = 0; i < hookCount; ++i) hooks[i]();
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
#if defined(SIGRTMIN)
  for (int number = SIGRTMIN; number <= SIGRTMAX; ++number)
    sigaddset(&set, number);
#endif
  return set;
}

void handleWithUndo(int number, const sigset_t& mask) {
  struct sigaction action = {};
  action.sa_handler = undoAndDie;
  action.sa_mask = mask;
  sigaction(number, &action, nullptr);
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
  const sigset_t mask = cleanupSet();
  for (int number = 1; number < NSIG; ++number) {
    if (sigismember(&mask, number) != 1) continue;
    struct sigaction old;
    if (sigaction(number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
      continue;
    handleWithUndo(number, mask);
  }
  atexit(undoAtExit);
}

void addCleanupHook(void (*hook)()) {
  sigset_t old;
  blockCleanupSignals(&old);
  const sig_atomic_t count = hookCount;
  if (count < static_cast<sig_atomic_t>(sizeof hooks / sizeof hooks[0])) {
    hooks[count] = hook;
    hookCount = count + 1;
  }
  restoreSignals(&old);
}

void endByBrokenPipe() {
  struct sigaction old;
  if (sigaction(SIGPIPE, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
    handleWithUndo(SIGPIPE, cleanupSet());
}

void blockCleanupSignals(sigset_t* old) {
  sigset_t set = cleanupSet();
  pthread_sigmask(SIG_BLOCK, &set, old);
}

void restoreSignals(const sigset_t* old) {
  pthread_sigmask(SIG_SETMASK, old, nullptr);
}

void blockSignalsForThread(sigset_t* old) {
  sigset_t set = cleanupSet();
  for (int number : kFaultSignals) sigdelset(&set, number);
  pthread_sigmask(SIG_BLOCK, &set, old);
}

int createTemporaryFile(const System& sys, int dirFd, unsigned mode,
                        int* error) {
  static const char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const size_t first = sizeof name - 7;  // The six X.
  *error = EEXIST;
  for (unsigned attempt = 0; attempt < 100 && *error == EEXIST; ++attempt) {
    uint64_t value = randomValue(attempt);
    char candidate[sizeof name];
    memcpy(candidate, name, sizeof name);
    for (size_t i = first; i < first + 6; ++i, value /= 62)
      candidate[i] = kLetters[value % 62];
    sigset_t old;
    blockCleanupSignals(&old);
    int fd = sys.openat(dirFd, candidate,
                        O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    *error = fd >= 0 ? 0 : errno;
    if (fd >= 0) {
      memcpy(name, candidate, sizeof name);
      directory = dirFd;
      registered = 1;
    }
    restoreSignals(&old);
    if (fd >= 0) return fd;
  }
  return -1;
}

namespace {

// Removes the file; the cleanup signals are blocked.
void removeBlocked(const System& sys) {
  if (registered) sys.unlinkat(directory, name, 0);
  registered = 0;
}

}  // namespace

int renameTemporaryFile(const System& sys, const char* target) {
  sigset_t old;
  blockCleanupSignals(&old);
  sigset_t pending;
  const sigset_t set = cleanupSet();
  bool signalled = false;
  if (sigpending(&pending) == 0) {
    for (int number = 1; number < NSIG; ++number)
      signalled = signalled || (sigismember(&set, number) == 1 &&
                                sigismember(&pending, number) == 1);
  }
  int error = signalled ? EINTR : 0;
  if (!signalled && sys.renameat(directory, name, directory, target) != 0)
    error = errno;
  if (error != 0) {
    removeBlocked(sys);
    restoreSignals(&old);  // Where the signal is not blocked, it ends here.
    return error;
  }
  registered = 0;
  return 0;
}

void removeTemporaryFile(const System& sys) {
  sigset_t old;
  blockCleanupSignals(&old);
  removeBlocked(sys);
  restoreSignals(&old);
}
