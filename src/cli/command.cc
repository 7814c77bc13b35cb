// The command line, checked whole before any file is touched.
#include "cli/command.h"

#include "cli/address.h"
#include "cli/message.h"
#include "cli/option_values.h"
#include "cli/output_name.h"
#include "cli/scan.h"
#include "cli/suggest.h"
#include "cli/warnings.h"
#include "image/align.h"
#include "image/check_layout.h"
#include "image/kept_out.h"
#include "image/lock_guard.h"
#include "image/pins.h"
#include "image/record_cut.h"

namespace {

// The arguments after the options: the image file argument, at, and the
// address texts after it.
struct Arguments {
  int argc;
  char** argv;
  int at;
};

bool oneFormat(Command* command, const Arguments&) {
  ImageSpec& image = command->image;
  const std::vector<ImageFormat>& given = command->formatsGiven;
  for (const ImageFormat format : given) {
    if (format != given[0]) {
      reportError("choose one of %s and %s", formatWord(given[0]),
                  formatWord(format));
      return false;
    }
  }
  // Without a format word, an -o name says which format it wants.
  ImageFormat named;
  if (!given.empty())
    image.format = given[0];
  else if (command->outputGiven && formatOfName(command->output, &named))
    image.format = named;
  return true;
}

bool altHasAName(Command* command, const Arguments&) {
  if (!command->alt || !command->outputGiven) return true;
  reportError("-alt does not apply to -o");
  return false;
}

bool wordsWriteSRecords(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  if (image.unit != 1 && image.format != ImageFormat::kSRecord) {
    reportError("-word writes S-records only");
    return false;
  }
  if (image.unit != 1 && !image.checks.empty()) {
    reportError("-crc does not apply to -word");
    return false;
  }
  return true;
}

// A profile made for byte addresses does not apply to -word; one that
// counts words needs it.
bool profileSuitsTheWords(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  if (image.profile == nullptr) return true;
  const DeviceProfile::Words words = image.profile->words;
  if (words == DeviceProfile::Words::kNeeded && image.unit == 1) {
    reportError("-%s counts 16-bit words and needs -word",
                image.profile->family);
    return false;
  }
  if (words == DeviceProfile::Words::kRefused && image.unit != 1) {
    reportError("-%s does not apply to -word", image.profile->family);
    return false;
  }
  return true;
}

// Whoever means to write a kept-out zone's bytes leaves the profile out.
bool nothingKeptOut(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  auto refuse = [&image](const char* option, const std::string& text,
                         uint64_t first, uint64_t last) {
    const KeptOutZone* zone = zoneWithin(image, first, last);
    if (zone == nullptr) return false;
    reportError("%s '%s' lies in 0x%08X..0x%08X, which -%s keeps out", option,
                text.c_str(), zone->first, zone->last, image.profile->family);
    return true;
  };
  for (const PinnedBlock& pin : image.pins)
    if (refuse("-pin", pin.text, pin.address,
               uint64_t{pin.address} + (pin.bytes.size() - 1) / image.unit))
      return false;
  for (const PlacedCheck& check : image.checks)
    if (refuse("-crc", check.text, check.address,
               uint64_t{check.address} + valueBytes(check.kind) - 1))
      return false;
  return true;
}

// Some words shape S-records only, some only the text formats.
bool wordsSuitTheFormat(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  const RecordShape& shape = image.shape;
  const ImageFormat format = image.format;
  const bool sRecords = format == ImageFormat::kSRecord,
             text = format != ImageFormat::kBinary,
             words = linesOfWords(format),
             tiTxt = format == ImageFormat::kTiTxt;
  // Each word, whether it applies, and how a misuse is said: "-count
  // writes S-records only", "-entry does not apply to -titxt".
  const struct {
    const char* word;
    const char* only;  // Else "does not apply to" the format word.
    bool given;
    bool applies;
  } kWords[] = {
      {"-count", tiTxt ? nullptr : "S-records", shape.count, sRecords},
      {"-addrsize", tiTxt ? nullptr : "S-records", command->addressSizeGiven,
       sRecords},
      {"-header", tiTxt ? nullptr : "S-records", shape.headerGiven,
       sRecords || words},
      {"-reclen", nullptr, command->recordLength.given, text},
      {"-entry", nullptr, shape.entryGiven,
       sRecords || format == ImageFormat::kIntelHex},
      {"-crlf", nullptr, shape.crlf, text},
      {"-width", "-vmem and -carray", !command->width.empty(), words},
  };
  for (const auto& w : kWords) {
    if (!w.given || w.applies) continue;
    if (w.only != nullptr && *w.only == '-')
      reportError("%s applies to %s only", w.word, w.only);
    else if (w.only != nullptr)
      reportError("%s writes %s only", w.word, w.only);
    else
      reportError("%s does not apply to %s", w.word, formatWord(format));
    return false;
  }
  return true;
}

bool recordLengthFits(Command* command, const Arguments&) {
  const NumberValue& length = command->recordLength;
  ImageSpec& image = command->image;
  RecordShape& shape = image.shape;
  // Lines of words hold 16 of them; TI's own tools write 16 bytes a line.
  const unsigned wordBytes = linesOfWords(image.format) ? shape.width / 8 : 1;
  if (!length.given &&
      (linesOfWords(image.format) || image.format == ImageFormat::kTiTxt))
    shape.length = 16 * wordBytes;
  if (!length.given) return true;
  if (length.number && length.value >= 1 &&
      length.value <= maxRecordLength(image.format) &&
      length.value % image.unit == 0) {
    shape.length = length.value * wordBytes;
    return true;
  }
  if (linesOfWords(image.format)) {
    reportError(
        "bad record length '%s': expected a number of words a line from 1 to "
        "%u",
        length.text.c_str(), maxRecordLength(image.format));
    return false;
  }
  reportError(
      "bad record length '%s': expected a number from 1 to %u (%u with "
      "-ihex or -titxt), even with -word",
      length.text.c_str(), maxRecordLength(ImageFormat::kSRecord),
      maxRecordLength(ImageFormat::kIntelHex));
  return false;
}

bool noLateOptions(Command* command, const Arguments& args) {
  for (int i = args.at + 1; i < args.argc; ++i) {
    if (isOptionWord(args.argv[i])) {
      reportError("option '%s' comes after the %s; options go first",
                  args.argv[i],
                  command->outputGiven ? "address texts" : "image file name");
      return false;
    }
  }
  return true;
}

bool textsInPairs(Command* command, const Arguments& args) {
  const int texts = args.argc - args.at - 1;
  if (texts % 2 == 0) return true;
  // An image file name given all the same would be read as an address.
  reportError("address texts come in pairs, but %d %s given%s", texts,
              texts == 1 ? "was" : "were",
              command->outputGiven
                  ? " (with -o, every argument after the options is an "
                    "address)"
                  : "");
  return false;
}

// Parses text into *address, reporting it when it is no clean number.
bool readAddress(const char* text, uint32_t* address) {
  if (parseAddress(text, address)) return true;
  reportError(
      "bad address text '%s': expected a number from -2147483648 to "
      "4294967295 (decimal, 0x hexadecimal or 0 octal)",
      text);
  return false;
}

bool readPairs(Command* command, const Arguments& args) {
  command->image.pairs.reserve(static_cast<size_t>(args.argc - args.at) / 2);
  for (int i = args.at + 1; i < args.argc; i += 2) {
    AddressPair pair;
    if (!readAddress(args.argv[i], &pair.start) ||
        !readAddress(args.argv[i + 1], &pair.end))
      return false;
    command->image.pairs.push_back(pair);
  }
  return true;
}

// -align widens the ranges once they are known.  A profile of 1.5.0 under
// -word matches its blocks by record, which padding has no place in.
bool rangesPadded(Command* command, const Arguments&) {
  ImageSpec& image = command->image;
  if (image.align > 1 && matchedByRecord(image)) {
    reportError("-align does not apply to -%s with -word",
                image.profile->family);
    return false;
  }
  padRanges(&image);
  return true;
}

// Standard output cannot go back; a file that cannot either shows only
// once it is opened.
bool spanInOrder(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  return !image.toStandardOutput || spanGoesInOrder(image, "standard output");
}

// Words of more than a byte are whole in every range: in what its records
// cover, with -align.
bool rangesHoldWholeWords(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  const unsigned wordBytes = image.shape.width / 8;
  if (!linesOfWords(image.format) || wordBytes == 1) return true;
  for (size_t i = 0; i < image.pairs.size(); ++i) {
    for (const AddressPair& run : runsOf(image, i)) {
      if (run.start % wordBytes == 0 &&
          (uint64_t{run.end} + 1) % wordBytes == 0)
        continue;
      reportError(
          "-width %s needs ranges that start and end on %u-byte boundaries: "
          "0x%08X..0x%08X does not",
          command->width.c_str(), wordBytes, run.start, run.end);
      return false;
    }
  }
  return true;
}

// An image that spans fills its gaps, so a zone inside its span would be
// written.
bool spanLeavesNoZone(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  uint32_t low, high;
  if (!spansImage(image.format) || !imageSpan(image, &low, &high)) return true;
  const KeptOutZone* zone = zoneWithin(image, low, high);
  if (zone == nullptr) return true;
  reportError(
      "%s cannot leave 0x%08X..0x%08X out (-%s keeps it out); write "
      "S-records or Intel HEX, or split the ranges around it",
      formatWord(image.format), zone->first, zone->last, image.profile->family);
  return false;
}

// A C array declares its size as a uint32_t, and C has no empty array.
bool arrayHoldsTheSpan(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  if (image.format != ImageFormat::kCArray) return true;
  uint32_t low, high;
  if (!imageSpan(image, &low, &high)) {
    reportError("-carray needs a range that holds a byte");
    return false;
  }
  if (low != 0 || high != 0xFFFFFFFF) return true;
  reportError(
      "-carray holds at most 4294967295 bytes, and 0x00000000..0xFFFFFFFF "
      "spans 4294967296");
  return false;
}

bool checksInOrder(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  if (image.checks.empty() || risingWithoutOverlap(image.pairs)) return true;
  reportError("-crc needs ranges in rising order without overlap");
  return false;
}

bool checksPlaced(Command* command, const Arguments&) {
  const CheckProblem problem = settleChecks(&command->image);
  const std::vector<PlacedCheck>& checks = command->image.checks;
  const char* first = checks.empty() ? "" : checks[problem.first].text.c_str();
  const char* second =
      checks.empty() ? "" : checks[problem.second].text.c_str();
  switch (problem.kind) {
    case CheckProblem::Kind::kNone:
      return true;
    case CheckProblem::Kind::kBadCheck:
      reportBadCheck(first);
      break;
    case CheckProblem::Kind::kOwnRegion: {
      const PlacedCheck& check = checks[problem.first];
      reportError(
          "bad crc '%s': the value at 0x%08X..0x%08X lies inside its own "
          "region 0x%08X..0x%08X",
          first, check.address,
          static_cast<uint32_t>(check.address + valueBytes(check.kind) - 1),
          check.start, check.end);
      break;
    }
    case CheckProblem::Kind::kRegionNeed:
      reportError("bad crc '%s': %s needs %s", first,
                  checks[problem.first].kind.name.c_str(), problem.need);
      break;
    case CheckProblem::Kind::kOverlap:
      reportError("the values of -crc '%s' and -crc '%s' overlap", first,
                  second);
      break;
    case CheckProblem::Kind::kCut:
      reportError(
          "-crc '%s' would be cut: %u of its %u bytes lie outside every range",
          first, problem.outside, valueBytes(checks[problem.first].kind));
      break;
    case CheckProblem::Kind::kCircle:
      reportError("-crc '%s' and -crc '%s' lie in each other's regions", first,
                  second);
      break;
  }
  return false;
}

bool countFits(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  if (!image.shape.count) return true;
  const uint64_t records = imageRecords(image);
  if (records <= kMaxCountedRecords) return true;
  reportError(
      "-count: %llu data records are more than an S6 record holds (%llu)",
      static_cast<unsigned long long>(records),
      static_cast<unsigned long long>(kMaxCountedRecords));
  return false;
}

// What the command line alone settles and would lock the part for good is
// refused, the first such in the order of the warnings, unless
// -allow-brick says to write it anyway.
bool nothingBricks(Command* command, const Arguments&) {
  const ImageSpec& image = command->image;
  return command->allowBrick ||
         !reportForGood(image,
                        oneForEachSource(judgeFields(image, Judged::kSettled)));
}

// The checks of the whole line, in the order their misuses are reported.
bool (*const kChecks[])(Command*, const Arguments&) = {
    oneFormat,
    altHasAName,
    wordsWriteSRecords,
    profileSuitsTheWords,
    nothingKeptOut,
    wordsSuitTheFormat,
    recordLengthFits,
    noLateOptions,
    textsInPairs,
    readPairs,
    rangesPadded,
    spanInOrder,
    rangesHoldWholeWords,
    spanLeavesNoZone,
    arrayHoldsTheSpan,
    checksInOrder,
    checksPlaced,
    countFits,
    nothingBricks,
};

// Names the unknown word, and the option word it was most likely meant to
// be when one is close.
void reportUnknownOption(const char* word) {
  const DeviceProfile* profile = profileSuggestionFor(word);
  if (profile != nullptr) {
    reportError("unknown option '%s'; did you mean '-%s' (%s)?", word,
                profile->family, profile->parts);
    return;
  }
  std::vector<std::string> words;
  for (const std::string& w : optionWords())
    if (findDeviceProfile(w.c_str()) == nullptr) words.push_back(w);
  const std::string nearest =
      suggestionFor(word, words, [](const std::string& w) {
        return findValueOption(w.c_str()) != nullptr;
      });
  if (nearest.empty()) {
    reportError("unknown option '%s'", word);
  } else {
    reportError("unknown option '%s'; did you mean '%s'?", word,
                nearest.c_str());
  }
}

}  // namespace

CommandKind readCommand(int argc, char** argv, Command* command) {
  *command = Command();
  switch (findAnswer(argc, argv)) {
    case Answer::kHelp:
      return CommandKind::kHelp;
    case Answer::kVersion:
      return CommandKind::kVersion;
    case Answer::kProfiles:
      return CommandKind::kProfiles;
    case Answer::kNone:
      break;
  }
  // The option values are read, and reported, as they come.
  const Scan scan = scanArguments(argc, argv, command);
  switch (scan.stop) {
    case ScanStop::kImage:
      break;
    case ScanStop::kBadValue:
      return CommandKind::kMisuse;
    case ScanStop::kNoImage:
      reportError("no image file name given");
      return CommandKind::kMisuse;
    case ScanStop::kUnknownOption:
      reportUnknownOption(argv[scan.at]);
      return CommandKind::kMisuse;
  }
  const Arguments args = {argc, argv, scan.at};
  ImageSpec& image = command->image;
  // Known before the checks, which refuse what standard output cannot take.
  if (command->outputGiven) image.toStandardOutput = command->output == "-";
  for (auto check : kChecks)
    if (!check(command, args)) return CommandKind::kMisuse;
  if (command->outputGiven) {
    if (!image.toStandardOutput) image.name = command->output;
  } else if (!image.toStandardOutput) {
    command->imageFile = argv[scan.at];
    image.name = outputName(argv[scan.at], command->alt, image.format);
  }
  return CommandKind::kImage;
}

bool spanGoesInOrder(const ImageSpec& image, const char* destination) {
  if (!spansImage(image.format) || risingWithoutOverlap(image.pairs))
    return true;
  reportError("%s output to %s needs ranges in rising order without overlap",
              image.format == ImageFormat::kBinary ? "binary" : "C array",
              destination);
  return false;
}
