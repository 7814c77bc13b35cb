// One run of the tool: check, seed, warn, open, write, commit.
#include "cli/run.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/command.h"
#include "cli/help.h"
#include "cli/message.h"
#include "cli/progress.h"
#include "cli/seed.h"
#include "cli/warnings.h"
#include "image/driver.h"
#include "io/output_file.h"

namespace {

// Writes the image into out, showing progress between slices; false, with
// errno saying why, when a write failed.
bool writeShowingProgress(const ImageSpec& image, Output* out) {
  uint64_t total = 0;
  for (const AddressPair& pair : image.pairs)
    total += pairBytes(pair, image.unit);
  Progress progress = startProgress(total);
  ImageDriver driver;
  startImage(&driver, image, out);
  DriveStep step;
  uint64_t bytes;
  while ((step = driveImage(&driver, &bytes)) == DriveStep::kMore)
    advanceProgress(&progress, bytes);
  int error = errno;  // Erasing the progress line must not change it.
  endProgress(&progress);
  errno = error;
  return step == DriveStep::kDone;
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

// Opens where the image goes.  Standard output: a reader that goes away
// ends the run at once, silently, as it ends `yes | head`; one that was
// closed at the start now leads to /dev/null, and writing there would
// report success for an image that went nowhere.
RunOutcome openDestination(const ImageSpec& image, bool stdoutClosed,
                           OutputFile* file) {
  if (image.toStandardOutput) {
    signal(SIGPIPE, SIG_DFL);
    if (openStandardOutput(stdoutClosed, file)) return RunOutcome::kDone;
    reportError("cannot write standard output: %s", strerror(errno));
    return RunOutcome::kFailed;
  }
  if (!openOutputFile(image.name, file)) {
    reportError("cannot create %s: %s", image.name.c_str(), strerror(errno));
    return RunOutcome::kFailed;
  }
  // What the file is shows only now: a FIFO or a terminal cannot go back.
  if (image.format == ImageFormat::kBinary && !file->positional &&
      !risingWithoutOverlap(image.pairs)) {
    discardOutputFile(file);
    reportBinaryOutOfOrder(image.name.c_str());
    return RunOutcome::kMisuse;
  }
  printf("Producing image file: %s%s\n", shownText(image.name).c_str(),
         binaryNote(image).c_str());
  // Before the first byte of the image, which may go to the same place.
  fflush(stdout);
  return RunOutcome::kDone;
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

  OutputFile file;
  RunOutcome opened = openDestination(image, stdoutClosed, &file);
  if (opened != RunOutcome::kDone) return opened;
  Output out;
  openOutput(&out, file.fd, file.positional);
  if (writeShowingProgress(image, &out) && commitOutputFile(&file))
    return RunOutcome::kDone;
  discardOutputFile(&file);
  if (image.toStandardOutput) {
    reportError("cannot write standard output: %s", strerror(errno));
  } else {
    reportError("cannot write %s: %s", image.name.c_str(), strerror(errno));
  }
  return RunOutcome::kFailed;
}
