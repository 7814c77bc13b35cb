// One run of the tool: check, seed, warn, open, header, ranges, terminator,
// close.
#include "cli/run.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/command.h"
#include "cli/help.h"
#include "cli/message.h"
#include "cli/output_file.h"
#include "cli/overlap.h"
#include "cli/progress.h"
#include "cli/seed.h"
#include "cli/temp_file.h"
#include "srec/srec.h"

namespace {

// Ranges go to the writer in slices of this many data bytes, and progress is
// counted between them.  A slice ends on a multiple of 32 bytes (16 words),
// where no record crosses, so the records are those of the whole range.
constexpr uint64_t kSliceBytes = uint64_t{1} << 20;

bool writePair(ImageWriter* writer, const AddressPair& pair,
               Progress* progress) {
  if (pair.start > pair.end) {
    reportWarning("empty range 0x%08X..0x%08X: its start lies above its end",
                  pair.start, pair.end);
    return true;
  }
  const unsigned unit = writer->image->unit;
  const uint64_t slice = kSliceBytes / unit;
  for (uint64_t a = pair.start; a <= pair.end;) {
    uint64_t last = a | (slice - 1);
    if (last > pair.end) last = pair.end;
    auto from = static_cast<uint32_t>(a), to = static_cast<uint32_t>(last);
    if (!writeRange(writer, from, to)) return false;
    advanceProgress(progress, pairBytes({from, to}, unit));
    a = last + 1;
  }
  return true;
}

// Writes the start of the image, every pair and the end; false at the
// first failed write.
bool writeImage(ImageWriter* writer) {
  const ImageSpec& image = *writer->image;
  uint64_t total = 0;
  for (const AddressPair& pair : image.pairs)
    total += pairBytes(pair, image.unit);
  Progress progress = startProgress(total);
  bool ok = writeImageStart(writer);
  for (size_t i = 0; ok && i < image.pairs.size(); ++i)
    ok = writePair(writer, image.pairs[i], &progress);
  ok = ok && writeImageEnd(writer);
  if (!ok) abandonImage(writer);
  int error = errno;  // Erasing the progress line must not change it.
  endProgress(&progress);
  errno = error;
  return ok;
}

// The warnings about an image that may not be what the user meant.
void warnOfSurprises(const ImageSpec& image) {
  for (size_t i : overlappingPairs(image.pairs)) {
    reportWarning("range 0x%08X..0x%08X overlaps an earlier range",
                  image.pairs[i].start, image.pairs[i].end);
  }
  bool profile =
      image.securityRegion.length != 0 || image.blankRegion.length != 0;
  if (image.unit == 2 && profile) {
    reportWarning(
        "with -word, device profile blocks are matched by record address "
        "plus byte index, not at the profile's byte addresses");
  }
}

// Writes the image to standard output, where a reader that goes away ends
// the run at once, silently, as it ends `yes | head`.  A standard output
// that was closed at the start now leads to /dev/null: writing there would
// report success for an image that went nowhere.
RunOutcome writeToStandardOutput(const ImageSpec& image, bool closed) {
  signal(SIGPIPE, SIG_DFL);
  ImageWriter writer;
  startImageWriter(&writer, image, STDOUT_FILENO, false);
  if (closed) {
    errno = EBADF;
  } else if (writeImage(&writer)) {
    return RunOutcome::kDone;
  }
  reportError("cannot write standard output: %s", strerror(errno));
  return RunOutcome::kFailed;
}

// What the progress line adds to the name for a binary image, which cannot
// hold the address of its first byte itself.
std::string binaryNote(const ImageSpec& image) {
  if (image.format != ImageFormat::kBinary) return "";
  uint32_t low, high;
  if (!imageSpan(image, &low, &high)) return " (binary, empty)";
  char note[32];
  snprintf(note, sizeof note, " (binary from 0x%08X)", low);
  return note;
}

}  // namespace

RunOutcome runImage(int argc, char** argv, time_t now, bool stdoutClosed) {
  Command command;
  CommandKind kind = readCommand(argc, argv, &command);
  if (kind == CommandKind::kMisuse) return RunOutcome::kMisuse;
  if (kind != CommandKind::kImage) {
    if (kind == CommandKind::kHelp ? printHelp() : printVersion())
      return RunOutcome::kDone;
    reportError("cannot write standard output: %s", strerror(errno));
    return RunOutcome::kFailed;
  }
  ImageSpec& image = command.image;
  if (!command.seedGiven) {
    const char* epoch = getenv("SOURCE_DATE_EPOCH");
    if (!fillSeed(epoch, now, &image.seed)) {
      reportError("SOURCE_DATE_EPOCH must be a whole number of seconds: '%s'",
                  epoch);
      return RunOutcome::kFailed;
    }
  }
  warnOfSurprises(image);

  installSignalCleanup();
  if (image.toStandardOutput) return writeToStandardOutput(image, stdoutClosed);
  OutputFile file;
  if (!openOutputFile(image.name, &file)) {
    reportError("cannot create %s: %s", image.name.c_str(), strerror(errno));
    return RunOutcome::kMisuse;
  }
  printf("Producing image file: %s%s\n", shownText(image.name).c_str(),
         binaryNote(image).c_str());
  ImageWriter writer;
  startImageWriter(&writer, image, file.fd, file.positional);
  if (writeImage(&writer) && commitOutputFile(&file)) return RunOutcome::kDone;
  discardOutputFile(&file);
  reportError("cannot write %s: %s", image.name.c_str(), strerror(errno));
  return RunOutcome::kFailed;
}
