// Runs the built Tollivex executable in a scratch directory for the
// end-to-end tests.
#ifndef TOLLIVEX_TESTS_CLI_TOOL_RUNNER_H_
#define TOLLIVEX_TESTS_CLI_TOOL_RUNNER_H_

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>
#include <future>
#include <string>
#include <vector>

struct ToolRun {
  int status;  // The exit status, or -1 when the process did not exit.
  int signal;  // The signal that ended the process, or 0.
  std::string out, err;
  long maxRssKiB;
};

// stdoutTo for a pipe whose reader has gone.
extern const char kReaderGone[];

struct RunOptions {
  // Seconds since the epoch: run under libfaketime with the clock frozen at
  // that second.
  long frozenAt = -1;
  // Replaces the capture of standard output: "" leaves it closed,
  // kReaderGone makes it a pipe no one reads, any other text names the file
  // it writes to.
  const char* stdoutTo = nullptr;
  long fileSizeLimit = -1;  // RLIMIT_FSIZE, in bytes.
  // Once a .Tollivex.* file in the working directory or below holds some
  // of the image, the signal is sent, or the function called with that
  // directory while the tool is stopped.
  int signalOnTemporary = 0;
  void (*onTemporary)(const std::string& dir) = nullptr;
  int ignoredSignal = 0;  // Ignored when the tool starts, as nohup does.
};

// Reads the FIFO at path, on a thread of its own, until its writers close
// it; returns what came.
std::future<std::string> readFifo(const std::string& path);

// Runs argv (argv[0] is the program to run) with dir as working directory,
// standard input from /dev/null and the outputs captured.
ToolRun runProgram(const std::vector<std::string>& argv, const std::string& dir,
                   const RunOptions& options = {});

// Runs Tollivex with args, as runProgram runs a program.
ToolRun runTool(const std::vector<std::string>& args, const std::string& dir,
                const RunOptions& options = {});

// The preloadable libfaketime, or null when it is not installed.
const char* faketimeLibrary();

// Whether a program is on PATH.
bool haveProgram(const char* name);

std::string readFile(const std::string& path);

// The usage lines every misuse ends with.
constexpr char kUsageText[] =
    "Usage: Tollivex [OPTION]... [--] IMAGEFILE [STARTADDRESS ENDADDRESS]...\n"
    "Try 'Tollivex --help' for more information.\n";

// A frozen clock for reproducible runs: 2024-05-01 12:00:00 UTC.
constexpr long kFrozen = 1714564800;

#define SKIP_WITHOUT_FAKETIME() \
  if (!faketimeLibrary())       \
  GTEST_SKIP() << "libfaketime is not installed (package faketime)"

// Reads args (after the program name) as the tool does, in this process;
// returns the image it describes, and fails the current test on a misuse.
struct ImageSpec;
ImageSpec specOf(const std::vector<std::string>& args);

// A fixture with a scratch directory to run the tool in.
class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tollivex-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  ToolRun run(const std::vector<std::string>& args,
              const RunOptions& options = {}) {
    return runTool(args, dir_, options);
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
