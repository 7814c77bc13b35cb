// Runs a real image write once for every system call it makes, failing that
// call: the run must end with status 1 and the reason, the old file must
// hold what it held, and no temporary file may be left.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>

#include "cli/run.h"
#include "cli/tool_runner.h"
#include "io/failing_system.h"

namespace {

struct Outcome {
  RunOutcome outcome;
  std::string out, err;
};

// Runs the tool in this process, in dir, with its output and messages
// caught, and the signal mask restored after.
Outcome runInProcess(const std::string& dir, std::vector<std::string> args) {
  std::vector<char*> argv{const_cast<char*>("Tollivex")};
  for (std::string& a : args) argv.push_back(&a[0]);
  sigset_t mask;
  pthread_sigmask(SIG_SETMASK, nullptr, &mask);
  char cwd[4096];
  EXPECT_NE(getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(chdir(dir.c_str()), 0);
  fflush(stdout);
  int saved[2] = {dup(1), dup(2)};
  for (int fd : {1, 2}) {
    std::string path = dir + (fd == 1 ? "/.out" : "/.err");
    int to = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(to, fd);
    close(to);
  }
  RunOutcome outcome = runImage(static_cast<int>(argv.size()), argv.data(), 0,
                                false, failingSystem());
  fflush(stdout);
  for (int fd : {1, 2}) {
    dup2(saved[fd - 1], fd);
    close(saved[fd - 1]);
  }
  EXPECT_EQ(chdir(cwd), 0);
  pthread_sigmask(SIG_SETMASK, &mask, nullptr);
  Outcome got{outcome, readFile(dir + "/.out"), readFile(dir + "/.err")};
  unlink((dir + "/.out").c_str());
  unlink((dir + "/.err").c_str());
  return got;
}

using SystemFailure = ToolTest;

TEST_F(SystemFailure, EveryFailedCallEndsTheRunAndKeepsTheOldFile) {
  struct Case {
    const char* what;
    std::vector<std::string> args;
    bool old;  // app.sx holds an old image first.
  } cases[] = {
      // Eleven buffers: the writer's ring wraps around.
      {"new file", {"-seed", "3", "app", "0", "0x7FFFF"}, false},
      {"replaced file", {"-seed", "3", "app", "0", "0x7FFFF"}, true},
      {"standard output", {"-seed", "3", "-", "0", "0x7FFFF"}, false},
      // Two chunks of a keyed fill: a thread not made leaves it to the maker.
      {"keyed fill",
       {"-seed", "3", "-fill", "keyed", "-threads", "3", "app", "0", "0x7FFFF"},
       false},
  };
  const std::string kOld = "old image\n";
  for (const Case& c : cases) {
    const bool toStdout = c.args[2] == "-";
    const std::string name = toStdout ? "standard output" : "app.sx";
    auto prepare = [&] {
      std::filesystem::remove(dir_ + "/app.sx");
      if (c.old) std::ofstream(dir_ + "/app.sx") << kOld;
    };
    prepare();
    failCall("", 0, 0);
    Outcome whole = runInProcess(dir_, c.args);
    ASSERT_EQ(whole.outcome, RunOutcome::kDone) << c.what << whole.err;
    const std::string image = toStdout ? whole.out : file("app.sx");
    const std::vector<std::string> calls = recordedCalls();
    std::map<std::string, int> seen;
    bool renamed = false;
    for (const std::string& call : calls) {
      const int occurrence = ++seen[call];
      prepare();
      failCall(call, occurrence, EIO);
      Outcome r = runInProcess(dir_, c.args);
      const std::string row =
          std::string(c.what) + ": " + call + " #" + std::to_string(occurrence);
      renamed = renamed || call == "renameat";
      // Absorbed: the look at the image file argument only decides a
      // warning; no thread means writing without one; the directory, once
      // the image has its name, was only looked through.
      const bool absorbed =
          (call == "openat" && occurrence == 1 && !toStdout) ||
          call == "startThread" || (renamed && call == "close");
      // The directory's flush fails once the name holds the new image.
      const bool late = renamed && call == "fsync";
      if (absorbed) {
        EXPECT_EQ(r.outcome, RunOutcome::kDone) << row;
        EXPECT_EQ(r.err, "") << row;
      } else {
        EXPECT_EQ(r.outcome, RunOutcome::kFailed) << row;
        const std::string reason = name + ": Input/output error\n";
        EXPECT_TRUE(r.err == "Tollivex: cannot write " + reason ||
                    (!late && r.out.empty() &&
                     r.err == "Tollivex: cannot create " + reason))
            << row << ": " << r.err;
      }
      if (!toStdout) {
        const bool replaced = absorbed || late;
        EXPECT_TRUE(file("app.sx") == (replaced ? image
                                       : c.old  ? kOld
                                                : ""))
            << row;
        EXPECT_EQ(files(), replaced || c.old ? 1u : 0u) << row;
      }
    }
    EXPECT_GT(seen[toStdout ? "write" : "pwrite"], 8) << c.what;
    EXPECT_EQ(seen["fdatasync"] + seen["fsync"], toStdout ? 0 : 2) << c.what;
  }
  // -no-sync leaves the flushes to the system.
  failCall("", 0, 0);
  ASSERT_EQ(runInProcess(dir_, {"-no-sync", "app", "0", "0"}).outcome,
            RunOutcome::kDone);
  for (const std::string& call : recordedCalls())
    EXPECT_TRUE(call != "fdatasync" && call != "fsync") << call;
}

// What root never meets, faked: a directory that may only be searched, one
// that may not be written, an old file that may not be opened for writing.
TEST_F(SystemFailure, RefusedOpensThatRootNeverMeets) {
  struct Case {
    const char* what;
    const char* denied;  // The names whose opens are refused.
    int error;
    bool done;  // The image takes the name.
  } cases[] = {
      {"search-only directory", ".", EACCES, true},
      {"read-only directory", ".Tollivex.*", EACCES, false},
      {"old file not to be written", "app.sx", EACCES, true},
      {"old file that refuses the open", "app.sx", EPERM, true},
      {"old file on a read-only system", "app.sx", EROFS, false},
  };
  const std::vector<std::string> args = {"-seed", "3", "app", "0", "0xFF"};
  failCall("", 0, 0);
  ASSERT_EQ(runInProcess(dir_, args).outcome, RunOutcome::kDone);
  const std::string image = file("app.sx");
  for (const Case& c : cases) {
    std::ofstream(dir_ + "/app.sx") << "old\n";
    failCall("", 0, 0);
    denyOpen(c.denied, c.error);
    const Outcome r = runInProcess(dir_, args);
    denyOpen("", 0);
    EXPECT_EQ(r.outcome, c.done ? RunOutcome::kDone : RunOutcome::kFailed)
        << c.what;
    EXPECT_EQ(r.err, c.done ? ""
                            : "Tollivex: cannot create app.sx: " +
                                  std::string(strerror(c.error)) + "\n")
        << c.what;
    EXPECT_EQ(file("app.sx"), c.done ? image : "old\n") << c.what;
    EXPECT_EQ(files(), 1u) << c.what;
    // A directory that could not be read cannot be flushed either.
    const std::vector<std::string> calls = recordedCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "fsync"),
              c.done && std::string(c.denied) != "." ? 1 : 0)
        << c.what;
  }
}

}  // namespace
