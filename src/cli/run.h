// One run of the tool, from the arguments to the outcome.
#ifndef TOLLIVEX_CLI_RUN_H_
#define TOLLIVEX_CLI_RUN_H_

enum class RunOutcome {
  kDone,         // The whole image was written and closed.
  kUsage,        // Misuse: the caller shows the usage text.
  kWriteFailed,  // The image could not be written; the reason is reported.
};

// Scans argv, writes the image and closes it.  The random generator must be
// seeded already; the file is closed on every outcome.
RunOutcome runImage(int argc, char** argv);

#endif  // TOLLIVEX_CLI_RUN_H_
