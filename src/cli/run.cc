// One run of the tool: scan, name, open, header, ranges, terminator, close.
#include "cli/run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/address.h"
#include "cli/output_name.h"
#include "cli/scan.h"
#include "srec/srec.h"

namespace {

// Writes the address pairs argv[first..argc) and the terminator.
bool writeBody(FILE* out, int first, int argc, char** argv) {
  for (int i = first; i < argc; i += 2) {
    uint32_t start = parseAddress(argv[i]);
    uint32_t end = parseAddress(argv[i + 1]);
    bool ok = wordMode ? writeWordRange(out, start, end)
                       : writeByteRange(out, start, end);
    if (!ok) return false;
  }
  return writeTerminatorRecord(out, 0);
}

}  // namespace

RunOutcome runImage(int argc, char** argv) {
  int image = scanArguments(argc, argv);
  if (image == 0) return RunOutcome::kUsage;
  std::string name = outputName(argv[image], altName);
  FILE* out = fopen(name.c_str(), "wt");
  if (out == nullptr) return RunOutcome::kUsage;
  printf("Producing image file: %s\n", name.c_str());

  bool ok = writeHeaderRecord(out, name.c_str());
  int first = image + 1;
  if ((argc - first) % 2 != 0) {
    // The file keeps the header record alone.
    fclose(out);
    return RunOutcome::kUsage;
  }
  ok = ok && writeBody(out, first, argc, argv);
  int error = errno;  // Before fclose can change it.
  if (fclose(out) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok) return RunOutcome::kDone;
  fprintf(stderr, "Tollivex: cannot write %s: %s\n", name.c_str(),
          strerror(error));
  return RunOutcome::kWriteFailed;
}
