// What a run cut short must undo: its temporary files, and whatever the
// hooks undo (a status line left on the terminal).
//
// A temporary file is owned by whoever writes it, through its handle.  The
// one piece of global state is the short list a signal handler reads (the
// directory and name of each file that stands, and the hooks): a handler
// can reach nothing else.  As in git's tempfile.c, the handler uses only
// async-signal-safe calls, and the hooks must too.
#ifndef TOLLIVEX_IO_CLEANUP_H_
#define TOLLIVEX_IO_CLEANUP_H_

#include <csignal>

#include "io/system.h"

// Has every signal whose default action ends the process (but KILL and
// STOP, which cannot be caught, and PIPE and XFSZ, below) undo the run and
// then end the process by the same signal; the real-time ones and the
// faults (SEGV, BUS, FPE, ILL) included, so that a fault of the tool's own
// removes the file too.  An exit that was not planned (an exit() deep
// down) undoes the run as well.  A signal that was ignored when the process
// started (nohup, a background job) stays ignored.  SIGPIPE and SIGXFSZ
// are ignored, so that a reader gone away or a file-size limit shows up as
// a failed write instead of killing the run.
void installCleanup();

// Adds a hook that undoing the run calls after removing the file: it must
// be async-signal-safe.  At most four.
void addCleanupHook(void (*hook)());

// Has a reader that goes away end the run by SIGPIPE, silently, as it ends
// `yes | head`, once the hooks have run: for an image on standard output.
void endByBrokenPipe();

// Blocks every cleanup signal, saving the mask in *old, or restores it.
void blockCleanupSignals(sigset_t* old);
void restoreSignals(const sigset_t* old);

// Blocks the cleanup signals a helper thread must leave to the main thread:
// all but the faults, which go to the thread that faults, and SIGPIPE,
// which goes to the thread that writes.
void blockSignalsForThread(sigset_t* old);

// A temporary file beside an image: the directory it lies in (by
// descriptor, so that a directory renamed mid-run changes nothing), its
// name there, and whether it stands.  While it stands, the cleanup's list
// holds a copy of the directory and the name, in entry slot.
struct TemporaryFile {
  int dirFd = -1;
  char name[sizeof ".Tollivex.XXXXXX"] = {};
  bool exists = false;
  int slot = -1;
};

// Creates a new empty file under a fresh name ".Tollivex.XXXXXX" in the
// directory dirFd, with permission bits mode (less the umask), into *file,
// and lists it for removal.  At most four stand at a time.  Returns 0 and
// sets *fd, or the error that stopped it.
int createTemporaryFile(const System& sys, int dirFd, unsigned mode,
                        TemporaryFile* file, int* fd);

// Renames file to name in the directory toDir and forgets it, unless a
// cleanup signal is pending: then the file is removed instead, the signal
// ends the run, and where the caller blocks it this returns EINTR.  Once
// the image has its name every cleanup signal stays blocked, so that a run
// that replaced the name never ends by a signal.  Returns 0, or the error
// of a failed rename, after which the file is removed.
int renameTemporaryFile(const System& sys, TemporaryFile* file, int toDir,
                        const char* name);

// Removes file, if it stands, and forgets it.
void removeTemporaryFile(const System& sys, TemporaryFile* file);

#endif  // TOLLIVEX_IO_CLEANUP_H_
