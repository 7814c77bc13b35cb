// What a run cut short must undo: its temporary file, and a status line
// left on the terminal.
//
// This is the one piece of global state: a signal handler can reach
// nothing else.  As in git's tempfile.c, the handler uses only
// async-signal-safe calls.
#ifndef TOLLIVEX_IO_CLEANUP_H_
#define TOLLIVEX_IO_CLEANUP_H_

#include <csignal>

// Has each of the cleanup signals (INT, TERM, HUP, QUIT, ALRM, USR1, USR2,
// VTALRM, PROF, XCPU) and SIGABRT undo the run and then end the process by
// the same signal, and has an exit that was not planned (an exit() deep
// down) undo it too.  A signal that was ignored when the process started
// (nohup, a background job) stays ignored.  SIGPIPE and SIGXFSZ are
// ignored, so that a reader gone away or a file-size limit shows up as a
// failed write instead of killing the run.
void installCleanup();

// Blocks the cleanup signals, saving the mask in *old, or restores it.
void blockCleanupSignals(sigset_t* old);
void restoreSignals(const sigset_t* old);

// Whether a cleanup signal waits, blocked, to end the run.
bool cleanupSignalPending();

// Creates a new empty file under a fresh name ".Tollivex.XXXXXX" in the
// directory dirFd, with permission bits mode (less the umask), and
// registers it for removal.  Only one temporary file exists at a time.
// Returns its descriptor, or -1 with errno set.
int createTemporaryFile(int dirFd, unsigned mode);

// Renames the temporary file to name in its directory and forgets it,
// unless a cleanup signal is pending: then the file is removed instead, the
// signal ends the run, and where it is blocked by the caller this returns
// false with errno EINTR.  Once the image has its name, the cleanup signals
// stay blocked, so that a run that replaced the name never ends by a
// signal.  Returns false with errno set when the rename fails; the file is
// then removed.
bool renameTemporaryFile(const char* name);

// Removes the temporary file, if there is one, and forgets it.  Keeps errno.
void removeTemporaryFile();

// Text to write to standard error when the run is cut short, such as the
// bytes that erase a status line; null for none.  The text must live on.
void setCleanupText(const char* text);
const char* cleanupText();

#endif  // TOLLIVEX_IO_CLEANUP_H_
