// Tests of the buffered output over descriptors that fill up, lose their
// reader, or are interrupted and write short.
#include "io/output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <future>
#include <string>

#include "srec_reader.h"

namespace {

enum class Kind {
  kFile,        // A memory file.
  kFull,        // A memory file of room bytes that refuses any write past them.
  kReaderGone,  // A pipe whose reader leaves after room bytes.
  kInterrupted  // A pipe read slowly, the writer interrupted by signals.
};

std::atomic<int> interruptions{0};
void countInterruption(int) { ++interruptions; }

// Reads fd until its end or room bytes (0: no limit), sending SIGUSR1 to
// writer after each read when interrupt is set, then closes fd.
std::string drain(int fd, size_t room, bool interrupt, pthread_t writer) {
  std::string got;
  char buffer[16384];
  for (ssize_t n = 1; n > 0 && (room == 0 || got.size() < room);) {
    size_t want =
        room == 0 ? sizeof buffer : std::min(sizeof buffer, room - got.size());
    n = read(fd, buffer, want);
    if (n > 0) got.append(buffer, static_cast<size_t>(n));
    if (interrupt) {
      pthread_kill(writer, SIGUSR1);
      usleep(200);
    }
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
    size_t room;
    bool threaded;
    int error;
    size_t delivered;  // Bytes that arrive; 0 with no error: all.
  } cases[] = {
      {"a file takes it all", Kind::kFile, 0, true, 0, 0},
      {"full in the first buffer", Kind::kFull, 1000, true, EPERM, 0},
      {"full in the last buffer", Kind::kFull, 3 * kBuffer + 999, true, EPERM,
       3 * kBuffer},
      {"full in the last buffer, one thread", Kind::kFull, 3 * kBuffer + 999,
       false, EPERM, 3 * kBuffer},
      {"reader gone mid-buffer", Kind::kReaderGone, kBuffer + 4321, true, EPIPE,
       kBuffer + 4321},
      {"interrupted writes", Kind::kInterrupted, 0, false, 0, 0},
  };
  const std::vector<uint8_t> bytes = seededFill(3, 3 * kBuffer + kBuffer / 2);
  const std::string image(bytes.begin(), bytes.end());
  for (const Case& c : cases) {
    int fd, readEnd = -1;
    bool pipeOut = c.kind == Kind::kReaderGone || c.kind == Kind::kInterrupted;
    if (pipeOut) {
      int ends[2];
      ASSERT_EQ(pipe(ends), 0);
      readEnd = ends[0];
      fd = ends[1];
    } else {
      fd = memfd_create("image", MFD_ALLOW_SEALING);
      if (c.kind == Kind::kFull) {
        ASSERT_EQ(ftruncate(fd, static_cast<off_t>(c.room)), 0);
        ASSERT_EQ(fcntl(fd, F_ADD_SEALS, F_SEAL_GROW), 0);
      }
    }
    interruptions = 0;
    std::future<std::string> read;
    if (pipeOut)
      read = std::async(std::launch::async, drain, readEnd, c.room,
                        c.kind == Kind::kInterrupted, pthread_self());

    Output out;
    openOutput(&out, fd, !pipeOut, c.threaded);
    errno = 0;
    bool ok = true;
    // Pieces that straddle the buffers' ends.
    for (size_t at = 0; ok && at < image.size(); at += 3000) {
      size_t n = std::min<size_t>(3000, image.size() - at);
      ok = reserveOutput(&out, n);
      if (ok) commitOutput(&out, std::copy_n(&image[at], n, outputEnd(&out)));
    }
    ok = ok && finishOutput(&out);
    int error = ok ? 0 : errno;
    if (!ok) abandonOutput(&out);
    EXPECT_EQ(error, c.error) << c.what;
    std::string got = pipeOut ? (close(fd), read.get()) : fileText(fd);
    if (!pipeOut) close(fd);
    size_t delivered = c.error == 0 ? image.size() : c.delivered;
    EXPECT_EQ(got.size(), c.kind == Kind::kFull ? c.room : delivered) << c.what;
    EXPECT_TRUE(got.compare(0, delivered, image, 0, delivered) == 0) << c.what;
    if (c.kind == Kind::kInterrupted) {
      EXPECT_GT(interruptions, 0) << c.what;
    }
  }
}

}  // namespace
