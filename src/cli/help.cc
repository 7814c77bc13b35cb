// The answers to --help and --version.
#include "cli/help.h"

#include <cstdio>

const char kHelpText[] =
    "Usage: Tollivex [OPTION]... [--] IMAGEFILE [STARTADDRESS ENDADDRESS]...\n"
    "Write IMAGEFILE.sx, a placeholder flash image in S-record text: a "
    "header,\n"
    "pseudo-random data records over each inclusive address range, an end.\n"
    "\n"
    "Options come before IMAGEFILE; they match whole, in any case:\n"
    "  -word       addresses count 16-bit words (DSC)\n"
    "  -alt        write IMAGEFILE_Alt.sx\n"
    "  -hcs08      unsecured hcs08: block at 0xFFB0, 0xFF at 0xFFFE..0xFFFF\n"
    "  -hcs12      unsecured hcs12: block at 0xFF00, 0xFF at 0xFFFE..0xFFFF\n"
    "  -kin        unsecured Kinetis: block at 0x400, 0xFF at 0x0..0x7\n"
    "  -cfv1       unsecured ColdFire V1: the same bytes as -kin\n"
    "  -cfvx       accepted; pins nothing\n"
    "  -h, --help  print this help and exit\n"
    "  --version   print the version and exit\n"
    "  --          end of options: the next argument is IMAGEFILE\n"
    "\n"
    "Addresses are decimal, 0x hexadecimal or 0 octal, with an optional sign,\n"
    "from -2147483648 to 4294967295; negative ones count back from 2^32\n"
    "(-1 is 0xFFFFFFFF).  With -word they count words.\n"
    "\n"
    "Environment: SOURCE_DATE_EPOCH, a whole number of seconds, seeds the\n"
    "fill instead of the clock: the same value gives the same image.\n"
    "\n"
    "Exit status: 0 when the image is written; 1 on misuse (with the usage\n"
    "text), on a bad SOURCE_DATE_EPOCH, or when the image cannot be written.\n";

namespace {

bool print(const char* text) {
  return fputs(text, stdout) >= 0 && fflush(stdout) == 0;
}

}  // namespace

bool printHelp() { return print(kHelpText); }

bool printVersion() { return print("Tollivex " TOLLIVEX_VERSION "\n"); }
