// Runs the built Tollivex executable in a scratch directory.
#include "cli/tool_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "cli/command.h"

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::future<std::string> readFifo(const std::string& path) {
  return std::async(std::launch::async, [path] { return readFile(path); });
}

const char* faketimeLibrary() {
  for (const char* path :
       {"/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
        "/usr/lib/aarch64-linux-gnu/faketime/libfaketime.so.1",
        "/usr/lib/faketime/libfaketime.so.1"}) {
    if (access(path, R_OK) == 0) return path;
  }
  return nullptr;
}

bool haveProgram(const char* name) {
  std::string command = std::string("command -v ") + name + " >/dev/null";
  return system(command.c_str()) == 0;
}

const char kReaderGone[] = "|";

namespace {

// Whether a temporary file in dir or below holds a byte: by then the tool
// has said what it produces.
bool holdsTemporary(const std::string& dir) {
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(dir, error), end;
       !error && it != end; it.increment(error)) {
    if (it->path().filename().string().rfind(".Tollivex.", 0) == 0 &&
        it->file_size(error) > 0)
      return true;
  }
  return false;
}

// Acts on pid as options say once a temporary file in dir or below holds a
// byte, or after five seconds.
void actOnTemporary(pid_t pid, const std::string& dir,
                    const RunOptions& options) {
  for (int i = 0; i < 5000 && !holdsTemporary(dir); ++i) usleep(1000);
  kill(pid, SIGSTOP);
  if (options.onTemporary) options.onTemporary(dir);
  if (options.signalOnTemporary != 0) kill(pid, options.signalOnTemporary);
  kill(pid, SIGCONT);
}

}  // namespace

ToolRun runProgram(const std::vector<std::string>& argv, const std::string& dir,
                   const RunOptions& options) {
  std::string outPath = dir + "/.stdout", errPath = dir + "/.stderr";
  const long frozenAt = options.frozenAt;
  pid_t pid = fork();
  if (pid == 0) {
    int in = open("/dev/null", O_RDONLY);
    const char* outTo = options.stdoutTo ? options.stdoutTo : outPath.c_str();
    bool closed = *outTo == '\0';
    int out = -1, pipeEnds[2];
    if (outTo == kReaderGone && pipe(pipeEnds) == 0) {
      close(pipeEnds[0]);
      out = pipeEnds[1];
    } else if (!closed) {
      out = open(outTo, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || (out < 0 && !closed) || err < 0 || chdir(dir.c_str()) != 0)
      _exit(127);
    struct rlimit noCore = {0, 0};  // Signals that dump core leave none.
    setrlimit(RLIMIT_CORE, &noCore);
    if (options.fileSizeLimit >= 0) {
      auto limit = static_cast<rlim_t>(options.fileSizeLimit);
      struct rlimit rl = {limit, limit};
      setrlimit(RLIMIT_FSIZE, &rl);
    }
    // The tool runs as in a foreground shell, whatever signals the tests'
    // caller ignores or blocks.  The tests choose the seed themselves: a
    // fixed one, unless the clock is frozen for them, so that no note of
    // the clock's seed comes between them and the messages they expect.
    for (int number = 1; number < NSIG; ++number) signal(number, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (options.ignoredSignal != 0) signal(options.ignoredSignal, SIG_IGN);
    frozenAt >= 0 ? unsetenv("SOURCE_DATE_EPOCH")
                  : setenv("SOURCE_DATE_EPOCH", "1", 1);
    if (frozenAt >= 0) {
      // libfaketime, preloaded with an absolute FAKETIME, freezes the clock
      // at that second.  It is used directly rather than through the
      // faketime wrapper, which needs a working standard output.  ASan
      // builds would refuse a library preloaded ahead of their runtime.
      char when[32];
      struct tm utc;
      time_t t = frozenAt;
      strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", gmtime_r(&t, &utc));
      setenv("TZ", "UTC", 1);
      setenv("FAKETIME", when, 1);
      setenv("LD_PRELOAD", faketimeLibrary(), 1);
      setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
    }
    dup2(in, 0);
    closed ? close(1) : dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> args;
    for (const std::string& a : argv)
      args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  if (options.onTemporary || options.signalOnTemporary != 0)
    actOnTemporary(pid, dir, options);
  int status = 0;
  struct rusage usage = {};
  wait4(pid, &status, 0, &usage);
  ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
              WIFSIGNALED(status) ? WTERMSIG(status) : 0, readFile(outPath),
              readFile(errPath), usage.ru_maxrss};
  unlink(outPath.c_str());
  unlink(errPath.c_str());
  return run;
}

ToolRun runTool(const std::vector<std::string>& args, const std::string& dir,
                const RunOptions& options) {
  std::vector<std::string> argv{TOLLIVEX_EXE};
  argv.insert(argv.end(), args.begin(), args.end());
  return runProgram(argv, dir, options);
}

ImageSpec specOf(const std::vector<std::string>& args) {
  std::vector<std::string> words = args;
  std::vector<char*> argv{const_cast<char*>("Tollivex")};
  for (std::string& w : words) argv.push_back(&w[0]);
  Command command;
  EXPECT_EQ(readCommand(static_cast<int>(argv.size()), argv.data(), &command),
            CommandKind::kImage)
      << args[0];
  return command.image;
}
