// What a run cut short must undo: its temporary file, and whatever the
// hooks undo (a status line left on the terminal).
//
// This is the one piece of global state: a signal handler can reach
// nothing else.  As in git's tempfile.c, the handler uses only
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

// Creates a new empty file under a fresh name ".Tollivex.XXXXXX" in the
// directory dirFd, with permission bits mode (less the umask), and
// registers it for removal.  Only one temporary file exists at a time.
// Returns its descriptor, or -1 with *error set.
int createTemporaryFile(const System& sys, int dirFd, unsigned mode,
                        int* error);

// Renames the temporary file to name in its directory and forgets it,
// unless a cleanup signal is pending: then the file is removed instead, the
// signal ends the run, and where the caller blocks it this returns EINTR.
// Once the image has its name every cleanup signal stays blocked, so that
// a run that replaced the name never ends by a signal.  Returns 0, or the
// error of a failed rename, after which the file is removed.
int renameTemporaryFile(const System& sys, const char* name);

// Removes the temporary file, if there is one, and forgets it.
void removeTemporaryFile(const System& sys);

#endif  // TOLLIVEX_IO_CLEANUP_H_
