// Tests of the buffered output over descriptors that fill up, lose their
// reader, or are interrupted and write short.
#include "io/output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <future>

#include "io/failing_system.h"
#include "srec_reader.h"

namespace {

enum Kind { kFile, kFull, kReaderGone, kInterrupted };

std::atomic<int> interruptions{0};
void countInterruption(int) { ++interruptions; }

// Reads fd until its end or room bytes (0: no limit), then closes it.  With
// interrupt set, signals writer after each read, as a slow reader would
// leave it blocked in a write.
std::string drain(int fd, size_t room, bool interrupt, pthread_t writer) {
  std::string got;
  char buffer[16384];
  for (ssize_t n = 1; n > 0 && (room == 0 || got.size() < room);) {
    n = read(
        fd, buffer,
        room == 0 ? sizeof buffer : std::min(sizeof buffer, room - got.size()));
    if (n > 0) got.append(buffer, static_cast<size_t>(n));
    if (interrupt && pthread_kill(writer, SIGUSR1) == 0) usleep(200);
  }
  close(fd);
  return got;
}

TEST(Output, ReportsEveryFailedWriteAndSurvivesShortOnes) {
  signal(SIGPIPE, SIG_IGN);
  struct sigaction action = {};
  action.sa_handler = countInterruption;  // No SA_RESTART: calls see EINTR.
  sigaction(SIGUSR1, &action, nullptr);
  const size_t kBuffer = kOutputBufferSize;
  struct Case {
    const char* what;
    Kind kind;
    size_t room;  // Of a full file, or what the reader reads before it goes.
    bool threaded;
    int error;
    size_t delivered;  // Bytes that arrive when a write fails.
  } cases[] = {
      // clang-format off
      {"a file takes it all", kFile, 0, true, 0, 0},
      {"full in the first buffer", kFull, 1000, true, EPERM, 0},
      // Past the ring of buffers, so that each slot is filled again.
      {"full in the last buffer", kFull, 19 * kBuffer + 9, true, EPERM, 19 * kBuffer},
      {"the same, one thread", kFull, 19 * kBuffer + 9, false, EPERM, 19 * kBuffer},
      {"reader gone mid-buffer", kReaderGone, kBuffer + 99, true, EPIPE, kBuffer + 99},
      {"interrupted writes", kInterrupted, 0, false, 0, 0},
      // clang-format on
  };
  const std::vector<uint8_t> bytes = seededFill(3, 19 * kBuffer + kBuffer / 2);
  const std::string image(bytes.begin(), bytes.end());
  for (const Case& c : cases) {
    const bool piped = c.kind == kReaderGone || c.kind == kInterrupted;
    int ends[2] = {-1, piped ? -1 : memfd_create("image", MFD_ALLOW_SEALING)};
    ASSERT_TRUE(!piped || pipe(ends) == 0);
    if (c.kind == kFull) {  // A memory file that cannot grow.
      ASSERT_EQ(ftruncate(ends[1], static_cast<off_t>(c.room)), 0);
      ASSERT_EQ(fcntl(ends[1], F_ADD_SEALS, F_SEAL_GROW), 0);
    }
    interruptions = 0;
    std::future<std::string> read;
    if (piped)
      read = std::async(std::launch::async, drain, ends[0], c.room,
                        c.kind == kInterrupted, pthread_self());
    // No thread can be made where it must go without.
    failCall(c.threaded ? "" : "startThread", 1, EAGAIN);
    Output out;
    openOutput(&out, failingSystem(), ends[1], !piped);
    bool ok = true;
    // Pieces that straddle the buffers' ends.
    for (size_t at = 0; ok && at < image.size(); at += 3000) {
      size_t n = std::min<size_t>(3000, image.size() - at);
      ok = reserveOutput(&out, n);
      if (ok) commitOutput(&out, std::copy_n(&image[at], n, outputEnd(&out)));
    }
    ok = ok && finishOutput(&out);
    EXPECT_EQ(outputError(&out), c.error) << c.what;
    EXPECT_EQ(ok, c.error == 0) << c.what;
    std::string got = piped ? (close(ends[1]), read.get()) : fileText(ends[1]);
    if (!piped) close(ends[1]);
    size_t delivered = c.error == 0 ? image.size() : c.delivered;
    EXPECT_EQ(got.size(), c.kind == kFull ? c.room : delivered) << c.what;
    EXPECT_TRUE(got.compare(0, delivered, image, 0, delivered) == 0) << c.what;
    EXPECT_TRUE(c.kind != kInterrupted || interruptions > 0) << c.what;
  }
}

}  // namespace
