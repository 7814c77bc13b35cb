// Tests of deriving the output file name.
#include "cli/output_name.h"

#include <gtest/gtest.h>

namespace {

TEST(OutputName, AppendsSuffixesToTheWholeArgument) {
  struct Case {
    std::string image;
    bool alt;
    std::string want;
  } cases[] = {
      {"app", false, "app.sx"},
      {"app.s19", false, "app.s19.sx"},
      {"app", true, "app_Alt.sx"},
      {"", false, ".sx"},
      {std::string(5000, 'n'), true, std::string(5000, 'n') + "_Alt.sx"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(outputName(c.image.c_str(), c.alt), c.want);
}

}  // namespace
