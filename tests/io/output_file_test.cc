// Tests of what an output file is judged to be by its open descriptor, and
// of the rename a pending signal stops.
#include "io/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "cli/tool_runner.h"
#include "io/cleanup.h"

namespace fs = std::filesystem;

namespace {

using OutputFileTest = ToolTest;

TEST_F(OutputFileTest, JudgesTheNameByItsDescriptor) {
  ASSERT_EQ(chdir(dir_.c_str()), 0);
  std::ofstream("regular") << "kept\n";
  fs::create_symlink("regular", "link");
  fs::create_symlink("missing", "dangling");
  fs::create_symlink("/dev/null", "null");
  fs::create_directory("dir");
  ASSERT_EQ(mkfifo("fifo", 0600), 0);
  int reader = open("fifo", O_RDONLY | O_NONBLOCK);
  int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = {AF_UNIX, "socket"};
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address),
            0);
  // A name as long as open() takes, in a directory whose path leaves no
  // room for a temporary name beside it.
  std::string deep = std::string(250, 'd');
  while (deep.size() < 4080) deep += "/" + std::string(250, 'd');
  deep.resize(4080);
  fs::create_directories(deep);
  const int kNew = -1, kReplace = -2;  // Not written in place.
  struct Case {
    std::string name;
    int error;  // Or kNew, kReplace, or 0: written in place.
    bool positional;
  } cases[] = {
      // clang-format off
      {"missing", kNew, true}, {"dangling", kNew, true}, {deep + "/a", kNew, true},
      {"regular", kReplace, true}, {"link", kReplace, true},
      {"null", 0, true}, {"fifo", 0, false},
      {"socket", ENXIO, false}, {"dir", EISDIR, false},
      {"no/such", ENOENT, false}, {"regular/x", ENOTDIR, false},
      // clang-format on
  };
  for (const Case& c : cases) {
    OutputFile file;
    const int error = openOutputFile(realSystem(), c.name, &file).error;
    const bool ok = error == 0;
    EXPECT_EQ(error, c.error > 0 ? c.error : 0) << c.name;
    EXPECT_TRUE(!ok || (file.direct == (c.error == 0) &&
                        file.replacing == (c.error == kReplace) &&
                        file.positional == c.positional))
        << c.name;
    if (ok) discardOutputFile(&file);
  }
  EXPECT_EQ(file("regular"), "kept\n");
  close(reader);
  close(sock);
  fs::remove_all(std::string(250, 'd'));  // Too deep to remove by full path.
  ASSERT_EQ(chdir("/"), 0);               // Leave dir_, which is removed.
}

TEST_F(OutputFileTest, APendingSignalStopsTheRenameAndNoneEndsARunAfterIt) {
  for (int number : {SIGINT, SIGABRT, SIGRTMAX}) {
    std::ofstream(dir_ + "/a.sx") << "kept\n";
    OutputFile image;
    ASSERT_FALSE(openOutputFile(realSystem(), dir_ + "/a.sx", &image).failed());
    ASSERT_EQ(write(image.fd, "new\n", 4), 4);
    // The signal arrives after the image is written, before the rename.
    sigset_t one, old;
    sigemptyset(&one);
    sigaddset(&one, number);
    pthread_sigmask(SIG_BLOCK, &one, &old);
    raise(number);
    EXPECT_EQ(commitOutputFile(&image, false), EINTR) << number;
    int got = 0;
    EXPECT_EQ(sigwait(&one, &got), 0);
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    EXPECT_EQ(file("a.sx"), "kept\n") << number;
    EXPECT_EQ(files(), 1u) << number;  // No temporary file left.
  }
  // Once the name holds the image, every cleanup signal stays blocked.
  sigset_t before, after;
  pthread_sigmask(SIG_SETMASK, nullptr, &before);
  OutputFile image;
  ASSERT_FALSE(openOutputFile(realSystem(), dir_ + "/a.sx", &image).failed());
  ASSERT_EQ(commitOutputFile(&image, true), 0);
  pthread_sigmask(SIG_SETMASK, &before, &after);
  for (int number : {SIGINT, SIGTERM, SIGABRT, SIGSEGV, SIGPWR, SIGRTMAX})
    EXPECT_EQ(sigismember(&after, number), 1) << number;
  EXPECT_EQ(file("a.sx"), "");
}

}  // namespace
