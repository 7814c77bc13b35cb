// The check values of an image, worked out from its bytes as a pass over
// them makes them.
#include "image/check_runs.h"

#include <algorithm>

namespace {

uint64_t lastByte(const PlacedCheck& check) {
  return uint64_t{check.address} + valueBytes(check.kind) - 1;
}

// Takes the region's bytes no range covers, up to address (exclusive), as
// erased flash.
void takeErased(CheckPass* pass, CheckRun* run, uint64_t address) {
  if (address <= run->next) return;
  updateCheckRepeated(&run->sum, pass->image->erased, address - run->next);
  run->next = address;
}

// The engine of kind's model, made once for the pass.
CrcEngine* engineFor(CheckPass* pass, const CheckKind& kind) {
  using Algorithm = CheckKind::Algorithm;
  if (kind.algorithm != Algorithm::kCrc &&
      kind.algorithm != Algorithm::kCrcWords)
    return nullptr;
  const CrcFeed feed = kind.algorithm == Algorithm::kCrcWords ? CrcFeed::kWords
                                                              : CrcFeed::kBytes;
  for (const std::unique_ptr<CrcEngine>& engine : pass->engines)
    if (engine->model == kind.model && engine->feed == feed)
      return engine.get();
  pass->engines.push_back(std::make_unique<CrcEngine>());
  startCrcEngine(pass->engines.back().get(), kind.model, feed);
  return pass->engines.back().get();
}

// Takes the bytes from..to - 1, found at bytes, into every run whose region
// they reach.
void takeBytes(CheckPass* pass, uint64_t from, uint64_t to,
               const uint8_t* bytes) {
  if (from >= to) return;
  for (CheckRun& run : pass->runs) {
    const PlacedCheck& check = pass->image->checks[run.check];
    const uint64_t first = std::max<uint64_t>(from, check.start);
    const uint64_t last = std::min<uint64_t>(to - 1, check.end);
    if (first > last) continue;
    takeErased(pass, &run, first);
    updateCheck(&run.sum, bytes + (first - from), last - first + 1);
    run.next = last + 1;
  }
}

// The run of check i in this pass, or null.
CheckRun* runOf(CheckPass* pass, size_t i) {
  for (CheckRun& run : pass->runs)
    if (run.check == i) return &run;
  return nullptr;
}

// Works out run's value: the rest of the region counts as erased flash.
void finishRun(CheckPass* pass, CheckRun* run) {
  CheckValue& value = (*pass->values)[run->check];
  if (value.known) return;
  const PlacedCheck& check = pass->image->checks[run->check];
  takeErased(pass, run, uint64_t{check.end} + 1);
  const uint32_t sum =
      checkValue(run->sum, uint64_t{check.end} - check.start + 1);
  const unsigned width = valueBytes(check.kind);
  for (unsigned i = 0; i < width; ++i) {
    unsigned shift = 8 * (check.bigEndian ? width - 1 - i : i);
    value.bytes[i] = static_cast<uint8_t>(sum >> shift);
  }
  value.known = true;
}

}  // namespace

void startCheckPass(CheckPass* pass, const ImageSpec& image,
                    std::vector<CheckValue>* values,
                    const std::vector<size_t>& work) {
  pass->image = &image;
  pass->values = values;
  pass->runs.clear();
  pass->engines.clear();
  for (size_t i : work) {
    CheckRun run;
    run.check = i;
    startCheck(&run.sum, image.checks[i].kind,
               engineFor(pass, image.checks[i].kind));
    run.next = image.checks[i].start;
    pass->runs.push_back(run);
  }
  pass->byAddress.resize(image.checks.size());
  for (size_t i = 0; i < image.checks.size(); ++i) pass->byAddress[i] = i;
  std::sort(pass->byAddress.begin(), pass->byAddress.end(),
            [&image](size_t a, size_t b) {
              return image.checks[a].address < image.checks[b].address;
            });
  pass->placed = 0;
}

void passBytes(CheckPass* pass, uint32_t address, uint8_t* bytes,
               size_t count) {
  const std::vector<PlacedCheck>& checks = pass->image->checks;
  const uint64_t end = uint64_t{address} + count;
  // The values that end before these bytes were met already, or lie where
  // no range reaches.
  while (pass->placed < checks.size() &&
         lastByte(checks[pass->byAddress[pass->placed]]) < address)
    ++pass->placed;
  uint64_t taken = address;
  for (size_t k = pass->placed;
       k < checks.size() && checks[pass->byAddress[k]].address < end; ++k) {
    const size_t i = pass->byAddress[k];
    const PlacedCheck& check = checks[i];
    const uint64_t at = std::max<uint64_t>(check.address, address);
    takeBytes(pass, taken, at, bytes + (taken - address));
    taken = at;
    // A value after its region, worked out here: its region lies behind.
    CheckRun* run = runOf(pass, i);
    if (run != nullptr && check.address > check.end) finishRun(pass, run);
    const CheckValue& value = (*pass->values)[i];
    if (!value.known) continue;
    const uint64_t last = std::min(lastByte(check), end - 1);
    for (uint64_t a = at; a <= last; ++a)
      bytes[a - address] = value.bytes[a - check.address];
  }
  takeBytes(pass, taken, end, bytes + (taken - address));
}

void finishCheckPass(CheckPass* pass) {
  for (CheckRun& run : pass->runs) finishRun(pass, &run);
}
