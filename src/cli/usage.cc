// The usage lines that follow every misuse.
#include "cli/usage.h"

#include <cstdio>
#include <cstdlib>

void printUsage() {
  fputs(
      "Usage: Tollivex [OPTION]... [--] IMAGEFILE [STARTADDRESS "
      "ENDADDRESS]...\n"
      "Try 'Tollivex --help' for more information.\n",
      stderr);
  exit(1);
}
