// The usage lines that follow every misuse.
#include "cli/usage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char kUsageText[] =
    "Usage: Tollivex [OPTION]... [--] IMAGEFILE [STARTADDRESS ENDADDRESS]...\n"
    "Try 'Tollivex --help' for more information.\n";

void printUsage() {
  fwrite(kUsageText, 1, strlen(kUsageText), stderr);
  exit(1);
}
