// The answers to --help and --version.
#ifndef TOLLIVEX_CLI_HELP_H_
#define TOLLIVEX_CLI_HELP_H_

// Write the help text, or the line "Tollivex VERSION", to standard output
// and flush it; return 0, or the error of the failed write.
int printHelp();
int printVersion();

#endif  // TOLLIVEX_CLI_HELP_H_
