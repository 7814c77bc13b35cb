// Runs the built Tollivex executable in a scratch directory for the
// end-to-end tests.
#ifndef TOLLIVEX_TESTS_CLI_TOOL_RUNNER_H_
#define TOLLIVEX_TESTS_CLI_TOOL_RUNNER_H_

#include <sys/resource.h>

#include <string>
#include <vector>

struct ToolRun {
  int status;  // The exit status, or -1 when the process did not exit.
  std::string out, err;
  long maxRssKiB;
};

// Runs argv (argv[0] is the program to run) with dir as working directory,
// standard input from /dev/null and the outputs captured.
ToolRun runProgram(const std::vector<std::string>& argv,
                   const std::string& dir);

// Runs Tollivex with args; with frozenAt (seconds since the epoch) it runs
// under faketime with the clock frozen at that second.
ToolRun runTool(const std::vector<std::string>& args, const std::string& dir,
                long frozenAt = -1);

// Whether a program is on PATH.
bool haveProgram(const char* name);

std::string readFile(const std::string& path);

#endif  // TOLLIVEX_TESTS_CLI_TOOL_RUNNER_H_
