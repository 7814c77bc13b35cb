// Tests of deriving the output file name.
#include "cli/output_name.h"

#include <gtest/gtest.h>

namespace {

TEST(OutputName, AppendsSuffixesToTheWholeArgument) {
  const ImageFormat srec = ImageFormat::kSRecord;
  struct Case {
    std::string image;
    bool alt;
    ImageFormat format;
    std::string want;
  } cases[] = {
      {"app", false, srec, "app.sx"},
      {"app.s19", false, srec, "app.s19.sx"},
      {"app", true, srec, "app_Alt.sx"},
      {"", false, srec, ".sx"},
      {std::string(5000, 'n'), true, srec, std::string(5000, 'n') + "_Alt.sx"},
      {"app", true, ImageFormat::kIntelHex, "app_Alt.hex"},
      {"app", false, ImageFormat::kBinary, "app.bin"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(outputName(c.image.c_str(), c.alt, c.format), c.want);
}

}  // namespace
