// The usage text, written as it stands on every misuse.
#include "cli/usage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char kUsageText[] =
    "\n\nUsage:\n"
    "Tollivex [-word] [-hcs08|-hcs12]imageFile.s19 "
    "[startAddress endAddress]*\n\n"
    "-word - create image with word addresses (DSC)\n"
    "-hcs08 - set image as unsecured for hcs08 devices\n"
    "-hcs12 - set image as unsecured for hcs12 devices\n\n";

void printUsage() {
  fwrite(kUsageText, 1, strlen(kUsageText), stderr);
  exit(1);
}
