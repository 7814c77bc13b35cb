// End-to-end tests of how an image takes its name, whole or not at all, and
// of standard output that cannot take it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>

#include "cli/tool_runner.h"
#include "cli/usage.h"

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
      // Cut short: the old image stays.
      {{"old", "0", "0xFFFF"},
       {-1, nullptr, 20000},
       1,
       0,
       "Producing image file: old.sx\n",
       "Tollivex: cannot write old.sx: File too large\n"},
      {{"old", "0", "-1"}, {-1, nullptr, -1, SIGINT}, -1, SIGINT, "", ""},
      {{"old", "0", "-1"}, {-1, nullptr, -1, SIGTERM}, -1, SIGTERM, "", ""},
      // Complete: the name is replaced, not written through.
      {{"old", "0", "0xF"}, {}, 0, 0, "Producing image file: old.sx\n", ""},
      {{"link", "0", "0xF"}, {}, 0, 0, "Producing image file: link.sx\n", ""},
      {{"hard", "0", "0xF"}, {}, 0, 0, "Producing image file: hard.sx\n", ""},
      // Control characters are shown, not sent.
      {{"a\nb\x1B", "0", "0xF"},
       {},
       0,
       0,
       "Producing image file: a\\x0Ab\\x1B.sx\n",
       ""},
      {{"no\x7F/x", "0", "1"},
       {},
       1,
       0,
       "",
       "Tollivex: cannot create no\\x7F/x.sx: No such file or directory\n" +
           std::string(kUsageText)},
      // Standard output gone, or closed at the start: no file is touched.
      {{"-", "0", "0xFFFFF"}, {-1, kReaderGone}, -1, SIGPIPE, "", ""},
      {{"-", "0", "0xFFFFF"},
       {-1, ""},
       1,
       0,
       "",
       "Tollivex: cannot write standard output: Bad file descriptor\n"},
  };
  for (const Case& c : cases) {
    fs::remove_all(dir_);
    fs::create_directory(dir_);
    std::ofstream(dir_ + "/old.sx") << "old\n";
    fs::permissions(dir_ + "/old.sx", fs::perms(0640));
    std::ofstream(dir_ + "/target") << "target\n";
    fs::create_symlink("target", dir_ + "/link.sx");
    fs::create_hard_link(dir_ + "/target", dir_ + "/hard.sx");

    ToolRun r = run(c.args, c.options);
    const std::string name = c.args[0] + ".sx";
    EXPECT_EQ(r.status, c.status) << name;
    EXPECT_EQ(r.signal, c.signal) << name;
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(file("target"), "target\n") << name;  // Never written through.
    for (const auto& entry : fs::directory_iterator(dir_))
      EXPECT_EQ(entry.path().filename().string().rfind(".Tollivex", 0),
                std::string::npos);
    struct stat st;
    bool written = c.status == 0;
    if (written) {
      ASSERT_EQ(lstat((dir_ + "/" + name).c_str(), &st), 0);
      EXPECT_TRUE(S_ISREG(st.st_mode)) << name;
      EXPECT_EQ(st.st_nlink, 1u) << name;
      EXPECT_EQ(file(name).substr(file(name).size() - 11), "S9030000FC\n");
    }
    if (!written || name == "old.sx") {
      ASSERT_EQ(stat((dir_ + "/old.sx").c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 0777, 0640u) << name;
      EXPECT_TRUE(written || file("old.sx") == "old\n") << name;
    }
  }
}

}  // namespace
