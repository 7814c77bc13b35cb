// Runs the built Tollivex executable in a scratch directory.
#include "cli/tool_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool haveProgram(const char* name) {
  std::string command = std::string("command -v ") + name + " >/dev/null";
  return system(command.c_str()) == 0;
}

ToolRun runProgram(const std::vector<std::string>& argv,
                   const std::string& dir) {
  std::string outPath = dir + "/.stdout", errPath = dir + "/.stderr";
  pid_t pid = fork();
  if (pid == 0) {
    int in = open("/dev/null", O_RDONLY);
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || chdir(dir.c_str()) != 0) _exit(127);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> args;
    for (const std::string& a : argv)
      args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage = {};
  wait4(pid, &status, 0, &usage);
  ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(outPath),
              readFile(errPath), usage.ru_maxrss};
  unlink(outPath.c_str());
  unlink(errPath.c_str());
  return run;
}

ToolRun runTool(const std::vector<std::string>& args, const std::string& dir,
                long frozenAt) {
  std::vector<std::string> argv;
  if (frozenAt >= 0) {
    // Without -f, faketime turns "@seconds" into a date and freezes the
    // clock there; the tool reads it once, so that second is its seed.
    argv = {"faketime", "@" + std::to_string(frozenAt)};
  }
  argv.push_back(TOLLIVEX_EXE);
  argv.insert(argv.end(), args.begin(), args.end());
  return runProgram(argv, dir);
}
