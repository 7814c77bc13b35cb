// The answers to --help and --version.
#include "cli/help.h"

#include <cstdio>

const char kHelpText[] =
    "Usage: Tollivex [OPTION]... [--] IMAGEFILE [STARTADDRESS ENDADDRESS]...\n"
    "Write IMAGEFILE.sx, a placeholder flash image in S-record text (or .hex,\n"
    ".bin): data over each inclusive address range.  IMAGEFILE - writes the\n"
    "image to standard output.\n"
    "\n"
    "Options come before IMAGEFILE; words match whole, in any case:\n"
    "  -ihex, -bin    write Intel HEX (IMAGEFILE.hex), raw binary (.bin)\n"
    "  -word          addresses count 16-bit words (DSC); S-records only\n"
    "  -alt           write IMAGEFILE_Alt.sx\n"
    "  -seed N        seed the random fill with N, not the clock\n"
    "  -fill PATTERN  random (the default), or 1 to 16 hex bytes: FF, "
    "DEADBEEF\n"
    "  -pin A=HEX     put 1 to 256 hex bytes at address A: -pin 0x40C=FE\n"
    "  -hcs08, -hcs12 unsecured hcs08 (block at 0xFFB0), hcs12 (at 0xFF00)\n"
    "  -kin, -cfv1    unsecured Kinetis, ColdFire V1 (FSEC at 0x40C)\n"
    "  -ke            unsecured Kinetis KE0x, KEA (FSEC at 0x40E)\n"
    "  -s12z          unsecured S12Z (FSEC at 0xFFFE0F)\n"
    "  -msp430        MSP430 FRAM with JTAG open (0xFF80..0xFF8F erased)\n"
    "  -lpc           NXP LPC with code read protection off (0x2FC..0x2FF "
    "erased)\n"
    "  -s08p          unsecured S08PA, S08PT, S08PL (FSEC at 0xFF7F)\n"
    "  -cfvx          accepted; pins nothing\n"
    "  -reclen N      at most N data bytes a record: 1 to 250 (255 with "
    "-ihex),\n"
    "                 even with -word; 32 by default\n"
    "  -addrsize N    S-records: the smallest address field, 2, 3 or 4 bytes\n"
    "  -entry A       start address A: in the S7/S8/S9 record, or -ihex type "
    "05\n"
    "  -count         S-records: an S5/S6 record counting the data records\n"
    "  -crlf          end lines with CR LF\n"
    "  -header TEXT   S-records: TEXT (up to 252 bytes) as the S0 record's data"
    "\n"
    "  -crc K:A[:S:E] put at A the check value K of the bytes S..E (else from\n"
    "                 the lowest one a range covers to A-1), K one of crc32,\n"
    "                 crc32-mpeg2, crc16-ccitt, crc16-xmodem, crc16-modbus,\n"
    "                 sum8, sum16, sum32; K-be stores it big-endian\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and exit\n"
    "  --             end of options: the next argument is IMAGEFILE\n"
    "\n"
    "Addresses (and N, A) are decimal, 0x hexadecimal or 0 octal, from\n"
    "-2147483648 to 4294967295; negative ones count back from 2^32.  The fill\n"
    "is seeded with -seed, else SOURCE_DATE_EPOCH, else the clock.\n"
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
