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
    ScanStop answer;  // Of findAnswer: kImage when none.
  } cases[] = {
      // clang-format off
      {{}, S::kNoImage, 1, false, false, S::kImage},
      {{"-word"}, S::kNoImage, 2, true, false, S::kImage},
      {{"app"}, S::kImage, 1, false, false, S::kImage},
      {{"-WORD", "-Alt", "app"}, S::kImage, 3, true, true, S::kImage},
      {{"-alt", "-alt", "app", "-word"}, S::kImage, 3, false, true, S::kImage},
      {{"word", "app"}, S::kImage, 1, false, false, S::kImage},
      {{"", "1"}, S::kImage, 1, false, false, S::kImage},
      {{"-words", "app"}, S::kUnknownOption, 1, false, false, S::kImage},
      {{"-word", "-", "app"}, S::kImage, 2, true, false, S::kImage},
      {{"-word", "--", "-x"}, S::kImage, 3, true, false, S::kImage},
      {{"--", "--help"}, S::kImage, 2, false, false, S::kImage},
      {{"-alt", "--"}, S::kNoImage, 3, false, true, S::kImage},
      // --help, -h and --version win wherever they stand among the options.
      {{"-word", "--HELP", "-x"}, S::kUnknownOption, 2, true, false, S::kHelp},
      {{"-H"}, S::kUnknownOption, 1, false, false, S::kHelp},
      {{"-x", "-h"}, S::kUnknownOption, 1, false, false, S::kHelp},
      {{"-seed", "1", "--Version", "-h"}, S::kUnknownOption, 3, false, false,
       S::kVersion},
      {{"app", "--version"}, S::kImage, 1, false, false, S::kImage},
      // clang-format on
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
    EXPECT_EQ(findAnswer(static_cast<int>(argv.size()), argv.data()), c.answer)
        << label;
  }
}

}  // namespace
