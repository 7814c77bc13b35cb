// Tests of the argument scan.
#include "cli/scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ScanArguments, OptionWordsComeBeforeTheImageName) {
  using S = ScanStop;
  using A = Answer;
  struct Case {
    std::vector<std::string> args;  // After the program name.
    ScanStop stop;
    int at;
    bool word, alt;
    Answer answer;  // Of findAnswer.
  } cases[] = {
      // clang-format off
      {{}, S::kNoImage, 1, false, false, A::kNone},
      {{"-word"}, S::kNoImage, 2, true, false, A::kNone},
      {{"app"}, S::kImage, 1, false, false, A::kNone},
      {{"-WORD", "-Alt", "app"}, S::kImage, 3, true, true, A::kNone},
      {{"-alt", "-alt", "app", "-word"}, S::kImage, 3, false, true, A::kNone},
      {{"word", "app"}, S::kImage, 1, false, false, A::kNone},
      {{"", "1"}, S::kImage, 1, false, false, A::kNone},
      {{"-words", "app"}, S::kUnknownOption, 1, false, false, A::kNone},
      {{"-word", "-", "app"}, S::kImage, 2, true, false, A::kNone},
      {{"-word", "--", "-x"}, S::kImage, 3, true, false, A::kNone},
      {{"--", "--help"}, S::kImage, 2, false, false, A::kNone},
      {{"-alt", "--"}, S::kNoImage, 3, false, true, A::kNone},
      // --help, -h and --version win wherever they stand among the options.
      {{"-word", "--HELP", "-x"}, S::kUnknownOption, 2, true, false, A::kHelp},
      {{"-H"}, S::kUnknownOption, 1, false, false, A::kHelp},
      {{"-x", "-h"}, S::kUnknownOption, 1, false, false, A::kHelp},
      {{"-seed", "1", "--Version", "-h"}, S::kUnknownOption, 3, false, false,
       A::kVersion},
      {{"app", "--version"}, S::kImage, 1, false, false, A::kNone},
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
