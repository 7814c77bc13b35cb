// One run of the tool: check, seed, open, header, ranges, terminator, close.
#include "cli/run.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/command.h"
#include "cli/help.h"
#include "cli/message.h"
#include "cli/output_file.h"
#include "cli/output_name.h"
#include "cli/progress.h"
#include "cli/scan.h"
#include "cli/seed.h"
#include "cli/temp_file.h"
#include "srec/fill.h"
#include "srec/srec.h"

namespace {

// Ranges go to the writer in slices of this many data bytes, and progress is
// counted between them.  A slice ends on a multiple of 32 bytes (16 words),
// where no record crosses, so the records are those of the whole range.
constexpr uint64_t kSliceBytes = uint64_t{1} << 20;

uint64_t dataBytes(const AddressPair& pair) {
  if (pair.start > pair.end) return 0;
  return (uint64_t{pair.end} - pair.start + 1) * (wordMode ? 2 : 1);
}

bool writePair(FILE* out, const AddressPair& pair, Progress* progress) {
  if (pair.start > pair.end) {
    reportWarning("empty range 0x%08X..0x%08X: its start lies above its end",
                  pair.start, pair.end);
    return true;
  }
  const uint64_t slice = wordMode ? kSliceBytes / 2 : kSliceBytes;
  for (uint64_t a = pair.start; a <= pair.end;) {
    uint64_t last = a | (slice - 1);
    if (last > pair.end) last = pair.end;
    auto from = static_cast<uint32_t>(a), to = static_cast<uint32_t>(last);
    bool ok = wordMode ? writeWordRange(out, from, to)
                       : writeByteRange(out, from, to);
    if (!ok) return false;
    advanceProgress(progress, dataBytes({from, to}));
    a = last + 1;
  }
  return true;
}

// Writes the header, every pair and the terminator; false at the first
// failed write.
bool writeImage(FILE* out, const std::string& name, const Command& command) {
  uint64_t total = 0;
  for (const AddressPair& pair : command.pairs) total += dataBytes(pair);
  Progress progress = startProgress(total);
  bool ok = writeHeaderRecord(out, name.c_str());
  for (size_t i = 0; ok && i < command.pairs.size(); ++i)
    ok = writePair(out, command.pairs[i], &progress);
  ok = ok && writeTerminatorRecord(out, 0);
  endProgress(&progress);
  return ok;
}

}  // namespace

RunOutcome runImage(int argc, char** argv, time_t now) {
  Command command;
  CommandKind kind = readCommand(argc, argv, &command);
  if (kind == CommandKind::kMisuse) return RunOutcome::kMisuse;
  if (kind != CommandKind::kImage) {
    if (kind == CommandKind::kHelp ? printHelp() : printVersion())
      return RunOutcome::kDone;
    reportError("cannot write standard output: %s", strerror(errno));
    return RunOutcome::kFailed;
  }

  const char* epoch = getenv("SOURCE_DATE_EPOCH");
  uint32_t seed = 0;
  if (!fillSeed(epoch, now, &seed)) {
    reportError("SOURCE_DATE_EPOCH must be a whole number of seconds: '%s'",
                epoch);
    return RunOutcome::kFailed;
  }
  seedFill(seed);

  std::string name = outputName(command.imageFile, altName);
  OutputFile file;
  installSignalCleanup();
  if (!openOutputFile(name, &file)) {
    reportError("cannot create %s: %s", name.c_str(), strerror(errno));
    return RunOutcome::kMisuse;
  }
  printf("Producing image file: %s\n", shownText(name).c_str());
  // The stream gets a descriptor of its own, so that closing it leaves the
  // file open for its permission bits.
  int streamFd = dup(file.fd);
  FILE* out = streamFd < 0 ? nullptr : fdopen(streamFd, "w");
  bool ok = out != nullptr && writeImage(out, name, command);
  int error = errno;  // Before fclose can change it.
  if (out != nullptr && fclose(out) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && commitOutputFile(&file)) return RunOutcome::kDone;
  if (ok) error = errno;
  errno = error;
  discardOutputFile(&file);
  reportError("cannot write %s: %s", name.c_str(), strerror(error));
  return RunOutcome::kFailed;
}
