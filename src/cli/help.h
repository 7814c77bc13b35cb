// The answers to --help, --version and --profiles.
#ifndef TOLLIVEX_CLI_HELP_H_
#define TOLLIVEX_CLI_HELP_H_

#include <string>
#include <vector>

// Write the help text, the line "Tollivex VERSION" or the device profile
// table to standard output and flush it; return 0, or the error of the
// failed write.
int printHelp();
int printVersion();
int printProfiles();

// Every option word, in the order of the help.
std::vector<std::string> helpWords();

#endif  // TOLLIVEX_CLI_HELP_H_
