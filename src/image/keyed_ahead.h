// The keyed fill made ahead, on threads of its own: the image's data bytes
// in the order the writer takes them (its draws), a chunk a thread in
// turn, so that the writer only copies them.  A keyed byte depends on its
// position alone, so the image is the same for any count of threads.
//
// Every wait sleeps on a condition, and each side wakes the other once a
// chunk, not once a stretch.
#ifndef TOLLIVEX_IMAGE_KEYED_AHEAD_H_
#define TOLLIVEX_IMAGE_KEYED_AHEAD_H_

#include <pthread.h>

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "image/image.h"
#include "io/system.h"

// Bytes a chunk, and chunks a thread holds at once: 512 KiB a thread.
constexpr size_t kKeyedChunk = size_t{256} << 10;
constexpr unsigned kKeyedSlots = 2;

struct KeyedAhead;
struct KeyedThread {
  KeyedAhead* ahead;
  unsigned index;
  pthread_t thread;
};

struct KeyedAhead {
  const ImageSpec* image = nullptr;
  std::vector<uint64_t> starts;      // The first draw of each pair.
  uint64_t total = 0;                // Draws in all.
  unsigned count = 0;                // Threads asked for, and
  std::vector<KeyedThread> threads;  // those running.
  // Slot s of thread t is slots[t * kKeyedSlots + s]; holds[] says which
  // chunk (plus 1) stands ready in each, 0 when it is free.
  std::vector<std::unique_ptr<uint8_t[]>> slots;
  std::vector<uint64_t> holds;
  bool stopping = false;
  std::mutex mutex;
  std::condition_variable filled, freed;
  KeyedAhead() = default;
  KeyedAhead(const KeyedAhead&) = delete;
  KeyedAhead& operator=(const KeyedAhead&) = delete;
  ~KeyedAhead();
};

// The threads -threads asks for: image.threads, or the machine's cores (at
// most 8) when it is 0.
unsigned keyedThreads(const ImageSpec& image);

// Starts making the keyed bytes of image on count threads (2 or more)
// through sys; returns false, with none running, when one cannot be made.
bool startKeyedAhead(KeyedAhead* ahead, const ImageSpec& image, unsigned count,
                     const System& sys);

// Copies the count keyed bytes from the draw-th on to out, waiting for
// them; draws come in order, each once.
void takeKeyed(KeyedAhead* ahead, uint64_t draw, uint8_t* out, size_t count);

// Stops the threads, made or not.
void stopKeyedAhead(KeyedAhead* ahead);

#endif  // TOLLIVEX_IMAGE_KEYED_AHEAD_H_
