// The answers to --help and --version.
#ifndef TOLLIVEX_CLI_HELP_H_
#define TOLLIVEX_CLI_HELP_H_

extern const char kHelpText[];

// Write the help text, or the line "Tollivex VERSION", to standard output
// and flush it; return false when the write failed, with errno saying why.
bool printHelp();
bool printVersion();

#endif  // TOLLIVEX_CLI_HELP_H_
