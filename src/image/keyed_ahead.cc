// The keyed fill made ahead, on threads of its own.
#include "image/keyed_ahead.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "image/keyed_fill.h"
#include "io/cleanup.h"

namespace {

// The bytes of chunk c.
size_t chunkSize(const KeyedAhead& ahead, uint64_t c) {
  return static_cast<size_t>(
      std::min<uint64_t>(kKeyedChunk, ahead.total - c * kKeyedChunk));
}

// Makes the keyed bytes of chunk c into out: each draw at its pair's
// position.
void makeChunk(const KeyedAhead& ahead, uint64_t c, uint8_t* out) {
  const ImageSpec& image = *ahead.image;
  uint64_t draw = c * kKeyedChunk;
  const uint64_t end = draw + chunkSize(ahead, c);
  // The last pair that starts at or before the draw holds it.
  size_t p = static_cast<size_t>(
      std::upper_bound(ahead.starts.begin(), ahead.starts.end(), draw) -
      ahead.starts.begin() - 1);
  while (draw < end) {
    const AddressPair& pair = image.pairs[p];
    const uint64_t pairEnd = ahead.starts[p] + pairBytes(pair, image.unit);
    const auto n = static_cast<size_t>(std::min(end, pairEnd) - draw);
    keyedBytes(image.seed,
               uint64_t{pair.start} * image.unit + (draw - ahead.starts[p]),
               out, n);
    out += n;
    draw += n;
    ++p;
  }
}

// A thread: makes chunks index, index + threads, ... as slots free up.
void* makeChunks(void* arg) {
  auto* self = static_cast<KeyedThread*>(arg);
  KeyedAhead* ahead = self->ahead;
  const uint64_t count = ahead->count;
  const uint64_t chunks = (ahead->total + kKeyedChunk - 1) / kKeyedChunk;
  for (uint64_t c = self->index, k = 0; c < chunks; c += count, ++k) {
    const size_t slot = size_t{self->index} * kKeyedSlots + k % kKeyedSlots;
    {
      std::unique_lock<std::mutex> lock(ahead->mutex);
      ahead->freed.wait(lock, [ahead, slot] {
        return ahead->holds[slot] == 0 || ahead->stopping;
      });
      if (ahead->stopping) return nullptr;
    }
    makeChunk(*ahead, c, ahead->slots[slot].get());
    std::lock_guard<std::mutex> lock(ahead->mutex);
    ahead->holds[slot] = c + 1;
    ahead->filled.notify_all();
  }
  return nullptr;
}

}  // namespace

KeyedAhead::~KeyedAhead() { stopKeyedAhead(this); }

unsigned keyedThreads(const ImageSpec& image) {
  if (image.threads != 0) return image.threads;
  const long cores = sysconf(_SC_NPROCESSORS_ONLN);
  return static_cast<unsigned>(std::min(8L, std::max(1L, cores)));
}

bool startKeyedAhead(KeyedAhead* ahead, const ImageSpec& image, unsigned count,
                     const System& sys) {
  stopKeyedAhead(ahead);
  ahead->image = &image;
  ahead->starts.clear();
  ahead->total = 0;
  for (const AddressPair& pair : image.pairs) {
    ahead->starts.push_back(ahead->total);
    ahead->total += pairBytes(pair, image.unit);
  }
  // No more threads than chunks.
  const uint64_t chunks = (ahead->total + kKeyedChunk - 1) / kKeyedChunk;
  count = static_cast<unsigned>(std::min<uint64_t>(count, chunks));
  if (count < 2) return false;
  ahead->slots.resize(size_t{count} * kKeyedSlots);
  for (auto& slot : ahead->slots)
    if (slot == nullptr) slot.reset(new uint8_t[kKeyedChunk]);
  ahead->holds.assign(ahead->slots.size(), 0);
  ahead->stopping = false;
  ahead->count = count;
  ahead->threads.resize(count);
  sigset_t old;
  blockSignalsForThread(&old);
  for (unsigned t = 0; t < count; ++t) {
    ahead->threads[t] = {ahead, t, {}};
    if (sys.startThread(&ahead->threads[t].thread, makeChunks,
                        &ahead->threads[t]) != 0) {
      ahead->threads.resize(t);  // Those made stop, and none is used.
      restoreSignals(&old);
      stopKeyedAhead(ahead);
      return false;
    }
  }
  restoreSignals(&old);
  return true;
}

void takeKeyed(KeyedAhead* ahead, uint64_t draw, uint8_t* out, size_t count) {
  const uint64_t threads = ahead->count;
  while (count > 0) {
    const uint64_t c = draw / kKeyedChunk;
    const size_t slot =
        (c % threads) * kKeyedSlots + (c / threads) % kKeyedSlots;
    {
      std::unique_lock<std::mutex> lock(ahead->mutex);
      ahead->filled.wait(
          lock, [ahead, slot, c] { return ahead->holds[slot] == c + 1; });
    }
    const size_t offset = static_cast<size_t>(draw - c * kKeyedChunk);
    const size_t n = std::min(count, chunkSize(*ahead, c) - offset);
    memcpy(out, ahead->slots[slot].get() + offset, n);
    draw += n;
    out += n;
    count -= n;
    if (offset + n == chunkSize(*ahead, c)) {  // The chunk is used up.
      std::lock_guard<std::mutex> lock(ahead->mutex);
      ahead->holds[slot] = 0;
      ahead->freed.notify_all();
    }
  }
}

void stopKeyedAhead(KeyedAhead* ahead) {
  if (ahead->threads.empty()) return;
  {
    std::lock_guard<std::mutex> lock(ahead->mutex);
    ahead->stopping = true;
    ahead->freed.notify_all();
  }
  for (KeyedThread& t : ahead->threads) pthread_join(t.thread, nullptr);
  ahead->threads.clear();
}
