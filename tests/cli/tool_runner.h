// Runs the built Tollivex executable in a scratch directory for the
// end-to-end tests.
#ifndef TOLLIVEX_TESTS_CLI_TOOL_RUNNER_H_
#define TOLLIVEX_TESTS_CLI_TOOL_RUNNER_H_

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <vector>

struct ToolRun {
  int status;  // The exit status, or -1 when the process did not exit.
  std::string out, err;
  long maxRssKiB;
};

// Runs argv (argv[0] is the program to run) with dir as working directory,
// standard input from /dev/null and the outputs captured.  With frozenAt
// (seconds since the epoch) it runs under libfaketime with the clock frozen
// at that second.  stdoutTo, when given, replaces the capture of standard
// output: "" leaves it closed, any other text names the file it writes to.
ToolRun runProgram(const std::vector<std::string>& argv, const std::string& dir,
                   long frozenAt = -1, const char* stdoutTo = nullptr);

// Runs Tollivex with args, as runProgram runs a program.
ToolRun runTool(const std::vector<std::string>& args, const std::string& dir,
                long frozenAt = -1, const char* stdoutTo = nullptr);

// The preloadable libfaketime, or null when it is not installed.
const char* faketimeLibrary();

// Whether a program is on PATH.
bool haveProgram(const char* name);

std::string readFile(const std::string& path);

// A frozen clock for reproducible runs: 2024-05-01 12:00:00 UTC.
constexpr long kFrozen = 1714564800;

#define SKIP_WITHOUT_FAKETIME() \
  if (!faketimeLibrary())       \
  GTEST_SKIP() << "libfaketime is not installed (package faketime)"

// A fixture with a scratch directory to run the tool in.
class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tollivex-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  ToolRun run(const std::vector<std::string>& args, long frozenAt = -1,
              const char* stdoutTo = nullptr) {
    return runTool(args, dir_, frozenAt, stdoutTo);
  }
  std::string file(const std::string& name) {
    return readFile(dir_ + "/" + name);
  }
  size_t files() {
    namespace fs = std::filesystem;
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  std::string dir_;
};

#endif  // TOLLIVEX_TESTS_CLI_TOOL_RUNNER_H_
