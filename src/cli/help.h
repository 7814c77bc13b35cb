// The answers to --help, --version and --profiles.
#ifndef TOLLIVEX_CLI_HELP_H_
#define TOLLIVEX_CLI_HELP_H_

#include <string>
#include <vector>

#include "io/system.h"

// Write the help text, the line "Tollivex VERSION" or the device profile
// table to standard output; return 0, or the error of the failed write.
int printHelp(const System& sys);
int printVersion(const System& sys);
int printProfiles(const System& sys);

#endif  // TOLLIVEX_CLI_HELP_H_
