// What a run cut short must undo: its temporary files, and whatever the
// hooks undo.
//
// Signals are blocked while a file and its entry in the list change
// together, so that a signal never sees a file without its entry or an
// entry without its file.
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

// The temporary files that stand, as the signal handler reads them: an
// entry counts once used is set, and is changed only with the cleanup
// signals blocked.
struct Entry {
  volatile sig_atomic_t used;
  int dirFd;
  char name[sizeof TemporaryFile::name];
};
Entry entries[4] = {};
void (*volatile hooks[4])() = {};
volatile sig_atomic_t hookCount = 0;

// Async-signal-safe: removes the file and runs the hooks.
void undo() {
  for (Entry& entry : entries) {
    if (entry.used == 0) continue;
    unlinkat(entry.dirFd, entry.name, 0);
    entry.used = 0;
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

namespace {

const char kTemplate[] = ".Tollivex.XXXXXX";

// Lists file for the handler; the cleanup signals are blocked.  False when
// the list is full.
bool list(TemporaryFile* file) {
  for (int slot = 0;
       slot < static_cast<int>(sizeof entries / sizeof entries[0]); ++slot) {
    Entry& entry = entries[slot];
    if (entry.used != 0) continue;
    entry.dirFd = file->dirFd;
    memcpy(entry.name, file->name, sizeof entry.name);
    entry.used = 1;
    file->slot = slot;
    return true;
  }
  return false;
}

// Removes file and forgets it; the cleanup signals are blocked.
void removeBlocked(const System& sys, TemporaryFile* file) {
  if (file->exists) sys.unlinkat(file->dirFd, file->name, 0);
  if (file->slot >= 0) entries[file->slot].used = 0;
  file->exists = false;
  file->slot = -1;
}

}  // namespace

int createTemporaryFile(const System& sys, int dirFd, unsigned mode,
                        TemporaryFile* file, int* fd) {
  static const char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const size_t first = sizeof kTemplate - 7;  // The six X.
  int error = EEXIST;
  for (unsigned attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
    uint64_t value = randomValue(attempt);
    char candidate[sizeof kTemplate];
    memcpy(candidate, kTemplate, sizeof kTemplate);
    for (size_t i = first; i < first + 6; ++i, value /= 62)
      candidate[i] = kLetters[value % 62];
    sigset_t old;
    blockCleanupSignals(&old);
    error = sys.openat(dirFd, candidate,
                       O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode, fd);
    if (error == 0) {
      file->dirFd = dirFd;
      memcpy(file->name, candidate, sizeof candidate);
      file->exists = true;
      // A full list cannot happen with one image a run; were it full, the
      // file could outlive a signal, so it goes at once.
      if (!list(file)) {
        sys.close(*fd);
        *fd = -1;
        removeBlocked(sys, file);
        error = EMFILE;
      }
    }
    restoreSignals(&old);
  }
  return error;
}

int renameTemporaryFile(const System& sys, TemporaryFile* file, int toDir,
                        const char* target) {
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
  const int error =
      signalled ? EINTR : sys.renameat(file->dirFd, file->name, toDir, target);
  if (error != 0) {
    removeBlocked(sys, file);
    restoreSignals(&old);  // Where the signal is not blocked, it ends here.
    return error;
  }
  file->exists = false;
  removeBlocked(sys, file);  // Only its entry: the name holds the image now.
  return 0;
}

void removeTemporaryFile(const System& sys, TemporaryFile* file) {
  sigset_t old;
  blockCleanupSignals(&old);
  removeBlocked(sys, file);
  restoreSignals(&old);
}
