// One run of the tool: check, seed, warn, open, write, commit.
#include "cli/run.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cerrno>
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

// Writes the image into out, showing progress between slices unless quiet;
// false when a write failed.
bool writeShowingProgress(const ImageSpec& image, bool quiet, Output* out,
                          const System& sys) {
  Progress progress = startProgress(quiet ? 0 : imageBytes(image), sys);
  ImageDriver driver;
  startImage(&driver, image, out);
  DriveStep step;
  uint64_t bytes;
  while ((step = driveImage(&driver, &bytes)) == DriveStep::kMore)
    advanceProgress(&progress, bytes);
  endProgress(&progress);
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

// The name of where the image goes, for messages.
std::string destination(const ImageSpec& image) {
  return image.toStandardOutput ? "standard output" : image.name;
}

// Opens where the image goes, given as the name given.  Standard output
// that was closed at the start now leads to /dev/null, and writing there
// would report success for an image that went nowhere.
RunOutcome openDestination(const ImageSpec& image, const std::string& given,
                           bool quiet, bool stdoutClosed, const System& sys,
                           OutputFile* file) {
  if (image.toStandardOutput) {
    const int error = openStandardOutput(sys, stdoutClosed, file);
    if (error == 0) return RunOutcome::kDone;
    reportError("cannot write standard output: %s", strerror(error));
    return RunOutcome::kFailed;
  }
  // A name that ends in '/' names no file: the whole image would be
  // written before the rename failed, or go to a hidden ".sx".
  if (!given.empty() && given.back() == '/') {
    reportError("cannot create %s: the name ends in '/'", given.c_str());
    return RunOutcome::kFailed;
  }
  const OpenFailure failure = openOutputFile(sys, image.name, file);
  if (failure.blockDevice) {
    reportError("cannot write an image onto the block device %s",
                image.name.c_str());
    return RunOutcome::kFailed;
  }
  if (failure.error == EISDIR) {
    reportError("cannot create %s: it is a directory", image.name.c_str());
    return RunOutcome::kFailed;
  }
  if (failure.error != 0) {
    reportError("cannot create %s: %s", image.name.c_str(),
                strerror(failure.error));
    return RunOutcome::kFailed;
  }
  // What the file is shows only now: a FIFO or a terminal cannot go back.
  if (!file->positional && !spanGoesInOrder(image, image.name.c_str())) {
    discardOutputFile(file);
    return RunOutcome::kMisuse;
  }
  if (quiet) return RunOutcome::kDone;
  printf("Producing image file: %s%s\n", shownText(image.name).c_str(),
         binaryNote(image).c_str());
  // Before the first byte of the image, which may go to the same place.
  fflush(stdout);
  return RunOutcome::kDone;
}

// Answers --help, --version or --profiles.
RunOutcome answer(CommandKind kind, const System& sys) {
  const int error = kind == CommandKind::kHelp      ? printHelp(sys)
                    : kind == CommandKind::kVersion ? printVersion(sys)
                                                    : printProfiles(sys);
  if (error == 0) return RunOutcome::kDone;
  reportError("cannot write standard output: %s", strerror(error));
  return RunOutcome::kFailed;
}

}  // namespace

RunOutcome runImage(int argc, char** argv, time_t now, bool stdoutClosed,
                    const System& sys) {
  Command command;
  const CommandKind kind = readCommand(argc, argv, &command);
  if (kind == CommandKind::kMisuse) return RunOutcome::kMisuse;
  if (kind != CommandKind::kImage) return answer(kind, sys);
  ImageSpec& image = command.image;
  const char* epoch = getenv("SOURCE_DATE_EPOCH");
  const bool fromClock =
      !command.seedGiven && (epoch == nullptr || *epoch == '\0');
  if (!command.seedGiven) {
    if (!fillSeed(epoch, now, &image.seed)) {
      reportError("SOURCE_DATE_EPOCH must be a whole number of seconds: '%s'",
                  epoch);
      return RunOutcome::kFailed;
    }
  }
  const int warnings = warnOfSurprises(command, sys);
  if (warnings < 0) return RunOutcome::kFailed;
  if (command.strict && warnings > 0) {
    reportError("-strict: %d warning%s; no image written", warnings,
                warnings == 1 ? "" : "s");
    return RunOutcome::kFailed;
  }
  // The last line before the image: without it, the image could be made
  // again only with the clock set back to this second.
  if (fromClock && image.pattern.empty() && !command.quiet)
    reportNote("seeded from the clock: add -seed %u to write this image again",
               image.seed);
#if defined(__GLIBC__)
  // The checks of a long command line leave freed memory behind; handed
  // back now, it is not counted again with the output's buffers.
  malloc_trim(0);
#endif

  OutputFile file;
  const RunOutcome opened = openDestination(
      image, command.outputGiven ? image.name : command.imageFile,
      command.quiet, stdoutClosed, sys, &file);
  if (opened != RunOutcome::kDone) return opened;
  Output out;
  openOutput(&out, sys, file.fd, file.positional);
  int error = writeShowingProgress(image, command.quiet, &out, sys)
                  ? 0
                  : outputError(&out);
  if (error == 0) error = commitOutputFile(&file, image.sync);
  if (error == 0) return RunOutcome::kDone;
  discardOutputFile(&file);
  reportError("cannot write %s: %s", destination(image).c_str(),
              strerror(error));
  return RunOutcome::kFailed;
}
