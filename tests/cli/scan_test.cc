// Tests of the argument scan.
#include "cli/scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ScanArguments, OptionWordsComeBeforeTheImageName) {
  struct Case {
    std::vector<std::string> args;  // After the program name.
    int image;
    bool word, alt;
  } cases[] = {
      {{}, 0, false, false},
      {{"-word"}, 0, true, false},
      {{"app"}, 1, false, false},
      {{"-WORD", "-Alt", "app"}, 3, true, true},
      {{"-alt", "-alt", "app", "-word"}, 3, false, true},
      {{"-words", "app"}, 1, false, false},
      {{"word", "app"}, 1, false, false},
      {{"-x", "-word"}, 1, false, false},
      {{"", "1"}, 1, false, false},
  };
  for (const Case& c : cases) {
    resetSettings();
    std::vector<char*> argv{const_cast<char*>("Tollivex")};
    for (const std::string& a : c.args)
      argv.push_back(const_cast<char*>(a.c_str()));
    EXPECT_EQ(scanArguments(static_cast<int>(argv.size()), argv.data()),
              c.image);
    EXPECT_EQ(wordMode, c.word);
    EXPECT_EQ(altName, c.alt);
  }
  resetSettings();
}

}  // namespace
