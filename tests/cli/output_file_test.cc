// End-to-end tests of how an image takes its name, whole or not at all, and
// of standard output that cannot take it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <tuple>

#include "cli/tool_runner.h"

namespace fs = std::filesystem;

namespace {

using SafeOutput = ToolTest;

TEST_F(SafeOutput, TheNameHoldsTheWholeImageOrWhatItHeldBefore) {
  struct Case {
    std::vector<std::string> args;
    RunOptions options;
    int status, signal;
    std::string out, err;
  } cases[] = {
      // clang-format off
      // Cut short: the old image stays.
      {{"old", "0", "0xFFFF"}, {-1, nullptr, 20000}, 1, 0,
       "Producing image file: old.sx\n",
       "Tollivex: cannot write old.sx: File too large\n"},
      // A signal ignored at the start stays ignored.
      {{"old", "0", "0xFFFFFF"}, {-1, nullptr, -1, SIGHUP, nullptr, SIGHUP},
       0, 0, "Producing image file: old.sx\n", ""},
      // Complete: the name is replaced, not written through.
      {{"old", "0", "0xF"}, {}, 0, 0, "Producing image file: old.sx\n", ""},
      {{"new", "0", "0xF"}, {}, 0, 0, "Producing image file: new.sx\n", ""},
      {{"link", "0", "0xF"}, {}, 0, 0, "Producing image file: link.sx\n", ""},
      {{"hard", "0", "0xF"}, {}, 0, 0, "Producing image file: hard.sx\n", ""},
      // Control characters are shown, not sent.
      {{"a\nb\x1B", "0", "0xF"}, {}, 0, 0,
       "Producing image file: a\\x0Ab\\x1B.sx\n", ""},
      {{"no\x7F/x", "0", "1"}, {}, 1, 0, "",
       "Tollivex: cannot create no\\x7F/x.sx: No such file or directory\n"},
      // A name that can hold no file is refused before any byte is made.
      {{"-o", "dir.sx/", "0", "0xFFFFF"}, {}, 1, 0, "", "Tollivex: cannot create dir.sx/: the name ends in '/'\n"},
      {{"-o", "none/", "0", "1"}, {}, 1, 0, "", "Tollivex: cannot create none/: the name ends in '/'\n"},
      {{"dir.sx/", "0", "1"}, {}, 1, 0, "", "Tollivex: cannot create dir.sx/: the name ends in '/'\n"},
      {{"-o", "dir.sx", "0", "1"}, {}, 1, 0, "", "Tollivex: cannot create dir.sx: it is a directory\n"},
      // Standard output gone, or closed at the start: no file is touched.
      {{"-", "0", "0xFFFFF"}, {-1, kReaderGone}, -1, SIGPIPE, "", ""},
      {{"-", "0", "0xFFFFF"}, {-1, ""}, 1, 0, "",
       "Tollivex: cannot write standard output: Bad file descriptor\n"},
      // clang-format on
  };
  std::vector<Case> all(std::begin(cases), std::end(cases));
  // Every signal that ends a run removes the temporary file.
  // Every signal whose default action ends a process, but KILL and STOP,
  // removes the temporary file; PIPE and XFSZ are ignored.
  for (int number :
       {SIGHUP,  SIGINT,    SIGQUIT,  SIGILL,       SIGTRAP, SIGABRT,
        SIGBUS,  SIGFPE,    SIGUSR1,  SIGSEGV,      SIGUSR2, SIGALRM,
        SIGTERM, SIGSTKFLT, SIGXCPU,  SIGVTALRM,    SIGPROF, SIGIO,
        SIGPWR,  SIGSYS,    SIGRTMIN, SIGRTMIN + 1, SIGRTMAX}) {
    all.push_back({{"old", "0", "-1"},
                   {-1, nullptr, -1, number},
                   -1,
                   number,
                   "Producing image file: old.sx\n",
                   ""});
  }
  const mode_t mask = umask(0);
  umask(mask);
  const mode_t umasked = 0666 & ~mask;
  for (const Case& c : all) {
    fs::remove_all(dir_);
    fs::create_directory(dir_);
    std::ofstream(dir_ + "/old.sx") << "old\n";
    fs::permissions(dir_ + "/old.sx", fs::perms(0640));
    std::ofstream(dir_ + "/target") << "target\n";
    fs::create_symlink("target", dir_ + "/link.sx");
    fs::create_hard_link(dir_ + "/target", dir_ + "/hard.sx");
    fs::create_directory(dir_ + "/dir.sx");

    ToolRun r = run(c.args, c.options);
    const std::string name = c.args[0] + ".sx";
    EXPECT_EQ(r.status, c.status) << name << " " << c.signal;
    EXPECT_EQ(r.signal, c.signal) << name;
    EXPECT_EQ(r.out, c.out) << c.signal;
    EXPECT_EQ(r.err, c.err) << c.signal;
    EXPECT_EQ(file("target"), "target\n") << name;  // Never written through.
    for (const auto& entry : fs::directory_iterator(dir_))  // None left.
      EXPECT_NE(entry.path().filename().string().substr(0, 9), ".Tollivex");
    EXPECT_TRUE(fs::is_empty(dir_ + "/dir.sx")) << name;
    struct stat st;
    const bool written = c.status == 0;
    ASSERT_EQ(lstat((dir_ + "/" + (written ? name : "old.sx")).c_str(), &st),
              0);
    EXPECT_TRUE(S_ISREG(st.st_mode) && st.st_nlink == 1) << name;
    EXPECT_EQ(st.st_mode & 0777, written && name != "old.sx" ? umasked : 0640u);
    if (written) {
      EXPECT_EQ(file(name).substr(file(name).size() - 11), "S9030000FC\n");
    } else {
      EXPECT_EQ(file("old.sx"), "old\n") << name;
    }
  }
}

// What a replaced file had, beside its content: owner, group, bits, ACL.
std::tuple<uid_t, gid_t, mode_t, std::string> attributesOf(
    const std::string& path) {
  struct stat st = {};
  stat(path.c_str(), &st);
  char acl[512];
  ssize_t size =
      getxattr(path.c_str(), "system.posix_acl_access", acl, sizeof acl);
  return {st.st_uid, st.st_gid, st.st_mode & 07777,
          std::string(acl, size > 0 ? static_cast<size_t>(size) : 0)};
}

TEST_F(SafeOutput, AReplacedFileKeepsOwnerGroupBitsAndAcl) {
  struct Case {
    const char* setup;  // Run by sh in the directory, on old.sx.
    mode_t dropped;     // Bits the image does not keep.
  } cases[] = {
      {"chmod 0604 old.sx", 0},
      {"chown nobody:nogroup old.sx && chmod 0600 old.sx", 0},
      {"chmod 6755 old.sx", 06000},
      {"setfacl -m u:nobody:rw-,g::--- old.sx", 0},
      // No ACL, and none from the directory's default one.
      {"chmod 0660 old.sx && setfacl -d -m u:nobody:rw .", 0},
  };
  if (!haveProgram("setfacl"))
    GTEST_SKIP() << "setfacl is not installed (package acl)";
  if (getuid() != 0) GTEST_SKIP() << "only root may give a file to nobody";
  for (const Case& c : cases) {
    fs::remove(dir_ + "/old.sx");  // With the last row's ACL.
    std::ofstream(dir_ + "/old.sx") << "old\n";
    ASSERT_EQ(runProgram({"sh", "-c", c.setup}, dir_).status, 0) << c.setup;
    auto before = attributesOf(dir_ + "/old.sx");
    std::get<2>(before) &= ~c.dropped;
    ASSERT_EQ(run({"old", "0", "1"}).status, 0) << c.setup;
    EXPECT_TRUE(attributesOf(dir_ + "/old.sx") == before) << c.setup;
    EXPECT_NE(file("old.sx"), "old\n");
  }
}

// The permission bits of the temporary file, once it holds a byte.
mode_t temporaryMode = 0;
void noteTemporaryMode(const std::string& dir) {
  for (const auto& entry : fs::directory_iterator(dir)) {
    struct stat st;
    if (entry.path().filename().string().rfind(".Tollivex.", 0) == 0 &&
        stat(entry.path().c_str(), &st) == 0)
      temporaryMode = st.st_mode & 0777;
  }
}

TEST_F(SafeOutput, AReplacementIsPrivateUntilItIsWhole) {
  const mode_t mask = umask(0);
  umask(mask);
  for (bool replacing : {true, false}) {
    if (replacing) std::ofstream(dir_ + "/old.sx") << "old\n";
    temporaryMode = 0;
    ToolRun r = run({replacing ? "old" : "new", "0", "0xFFFFFF"},
                    {-1, nullptr, -1, 0, noteTemporaryMode});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(temporaryMode, replacing ? 0600 : 0666 & ~mask) << replacing;
  }
}

TEST_F(SafeOutput, ABlockDeviceIsRefusedNamedOrThroughALink) {
  // A device of the number range kept for local use: none answers it.
  if (mknod((dir_ + "/disk.sx").c_str(), S_IFBLK | 0600, makedev(240, 0)) != 0)
    GTEST_SKIP() << "this user cannot make a device node: " << strerror(errno);
  fs::create_symlink("disk.sx", dir_ + "/link.sx");
  for (const char* name : {"disk", "link"}) {
    ToolRun r = run({name, "0", "0xFF"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Tollivex: cannot write an image onto the block device " +
                         std::string(name) + ".sx\n");
    EXPECT_TRUE(fs::is_block_file(dir_ + "/disk.sx"));
    EXPECT_EQ(files(), 2u);
  }
  // Named as the image file, it gets a warning and an image beside it.
  ToolRun beside = run({"disk.sx", "0", "0xFF"});
  EXPECT_EQ(beside.err,
            "Tollivex: warning: disk.sx is a device, not a file; the image "
            "goes to disk.sx.sx\n");
  EXPECT_TRUE(fs::is_regular_file(dir_ + "/disk.sx.sx"));
}

// The image goes where the name led when the run opened it: a directory
// moved meanwhile takes it along, and a special file is written in place,
// in order.
TEST_F(SafeOutput, GoesWhereTheNameLedAtTheStart) {
  fs::create_directory(dir_ + "/d");
  ToolRun moved = run({"d/a", "0", "0xFFFFFF"},
                      {-1, nullptr, -1, 0, [](const std::string& dir) {
                         fs::rename(dir + "/d", dir + "/d.old");
                         fs::create_directory(dir + "/d");
                       }});
  EXPECT_EQ(moved.status, 0) << moved.err;
  EXPECT_TRUE(fs::is_empty(dir_ + "/d"));
  EXPECT_EQ(fs::file_size(dir_ + "/d.old/a.sx"), 40366158u);  // Whole.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "/d.old"), {}), 1);

  const std::string outOfOrder =
      "Tollivex: binary output to f.bin needs ranges in rising order "
      "without overlap\n";
  struct Case {
    std::vector<std::string> args;
    const char* fifo;  // Read while the tool runs.
    bool toStdout;     // The FIFO is standard output, f.sx links to it.
    int status;
    std::string err, read;
  } cases[] = {
      // clang-format off
      {{"-bin", "f", "0x10", "0x1F", "0", "0xF"}, "f.bin", false, 1,
       outOfOrder + kUsageText, ""},
      {{"-bin", "-fill", "AA", "f", "0", "1", "3", "3"}, "f.bin", false, 0, "",
       "\xAA\xAA\xFF\xAA"},
      {{"-fill", "FF", "f", "0", "7"}, "out", true, 0, "",
       "Producing image file: f.sx\n"
       "S01D000044756D6D795352454300000000000000000000000101662E737828\n"
       "S10B0000FFFFFFFFFFFFFFFFFC\nS9030000FC\n"},
      // clang-format on
  };
  for (const Case& c : cases) {
    std::string fifo = dir_ + "/" + c.fifo;
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    if (c.toStdout) fs::create_symlink("/dev/stdout", dir_ + "/f.sx");
    std::future<std::string> read = readFifo(fifo);
    ToolRun r = run(c.args, {-1, c.toStdout ? fifo.c_str() : nullptr});
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(read.get(), c.read) << c.args[0];
    fs::remove(fifo);
  }
}

}  // namespace
