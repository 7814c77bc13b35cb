// Tests of the argument scan.
#include "cli/scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ScanArguments, OptionWordsComeBeforeTheImageName) {
  using S = ScanStop;
  struct Case {
    std::vector<std::string> args;  // After the program name.
    ScanStop stop;
    int at;
    bool word, alt;
  } cases[] = {
      {{}, S::kNoImage, 1, false, false},
      {{"-word"}, S::kNoImage, 2, true, false},
      {{"app"}, S::kImage, 1, false, false},
      {{"-WORD", "-Alt", "app"}, S::kImage, 3, true, true},
      {{"-alt", "-alt", "app", "-word"}, S::kImage, 3, false, true},
      {{"word", "app"}, S::kImage, 1, false, false},
      {{"", "1"}, S::kImage, 1, false, false},
      {{"-words", "app"}, S::kUnknownOption, 1, false, false},
      {{"-word", "-", "app"}, S::kImage, 2, true, false},
      {{"-word", "--", "-x"}, S::kImage, 3, true, false},
      {{"--", "--help"}, S::kImage, 2, false, false},
      {{"-alt", "--"}, S::kNoImage, 3, false, true},
      {{"-word", "--HELP", "-x"}, S::kHelp, 2, true, false},
      {{"-H"}, S::kHelp, 1, false, false},
      {{"-x", "-h"}, S::kUnknownOption, 1, false, false},
      {{"--Version", "app"}, S::kVersion, 1, false, false},
      {{"app", "--version"}, S::kImage, 1, false, false},
  };
  for (const Case& c : cases) {
    Command command;
    std::vector<char*> argv{const_cast<char*>("Tollivex")};
    for (const std::string& a : c.args)
      argv.push_back(const_cast<char*>(a.c_str()));
    Scan scan =
        scanArguments(static_cast<int>(argv.size()), argv.data(), &command);
    std::string label = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(scan.stop, c.stop) << label;
    EXPECT_EQ(scan.at, c.at) << label;
    EXPECT_EQ(command.image.unit, c.word ? 2u : 1u) << label;
    EXPECT_EQ(command.alt, c.alt) << label;
  }
}

}  // namespace
