// End-to-end tests of hostile names, address texts and output streams.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "cli/tool_runner.h"
#include "io/std_descriptors.h"
#include "srec_reader.h"

namespace fs = std::filesystem;

namespace {

using BadInput = ToolTest;

TEST_F(BadInput, ImageNames) {
  fs::create_directory(dir_ + "/sub");
  fs::create_directory(dir_ + "/dir.sx");
  struct Case {
    std::string image;
    std::string error;  // Else the file is created.
  } cases[] = {
      {"sub/with space", ""},
      {"-lead", ""},
      {"\xFF\xFE\xC3\xA9", ""},
      {"missing/app", "No such file or directory"},
      {"/proc/app", "No such file or directory"},
      {"dir", "it is a directory"},  // dir.sx is a directory.
      {std::string(300, 'a'), "File name too long"},
      {std::string(5000, 'a'), "File name too long"},
  };
  for (const Case& c : cases) {
    // "--" lets a name begin with '-'.
    ToolRun r = run({"--", c.image, "0", "31"});
    std::string name = c.image + ".sx";
    bool created = c.error.empty();
    EXPECT_EQ(r.status, created ? 0 : 1) << name;
    EXPECT_EQ(r.err, created ? ""
                             : "Tollivex: cannot create " + name + ": " +
                                   c.error + "\n");
    if (!created) continue;
    std::vector<Record> records = readRecords(file(name));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(std::string(records[0].data.begin() + 22, records[0].data.end()),
              name);
  }
}

TEST_F(BadInput, AddressTextsAndManyPairs) {
  struct Case {
    std::vector<std::string> texts;
    Layout want;
  } cases[] = {
      {{" +16", "0x1f "}, {{0x10, 16}}},
      {{"\t020", "037"}, {{0x10, 16}}},
      {{"-0x20", "4294967295"}, {{0xFFFFFFE0, 32}}},
      {{"-2147483648", "0x8000000f"}, {{0x80000000, 16}}},
      {{"-0", "000"}, {{0, 1}}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"app"};
    args.insert(args.end(), c.texts.begin(), c.texts.end());
    ASSERT_EQ(run(args).status, 0);
    EXPECT_EQ(layoutOf(file("app.sx")), c.want) << c.texts[0];
  }
  std::vector<std::string> args{"app"};
  for (int i = 0; i < 10000; ++i) {
    args.push_back(std::to_string(i * 64));
    args.push_back(std::to_string(i * 64 + 40));  // Two records a pair.
  }
  ASSERT_EQ(run(args).status, 0);
  EXPECT_EQ(dataRecords(file("app.sx")).size(), 20000u);
}

TEST_F(BadInput, ClosedFullOrUnreadStandardOutputLeavesTheImageWhole) {
  ASSERT_EQ(run({"-seed", "7", "app", "0", "0xFFFF"}).status, 0);
  const std::string want = file("app.sx");
  ASSERT_EQ(dataRecords(want).size(), 2048u);
  for (const char* stdoutTo : {"", "/dev/full", kReaderGone}) {
    fs::remove(dir_ + "/app.sx");
    ToolRun r = run({"-seed", "7", "app", "0", "0xFFFF"}, {-1, stdoutTo});
    EXPECT_EQ(r.status, 0) << stdoutTo;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(file("app.sx") == want) << "stdout '" << stdoutTo << "'";
  }
}

TEST(StdDescriptors, ClosedOnesAreTakenByDevNull) {
  for (int fd : {0, 1, 2}) {
    int saved = dup(fd);
    close(fd);
    reserveStandardDescriptors();
    bool reopened = fcntl(fd, F_GETFD) != -1;
    int probe = open("/dev/null", O_RDONLY);  // Where the image would go.
    dup2(saved, fd);
    close(saved);
    close(probe);
    EXPECT_TRUE(reopened) << fd;
    EXPECT_GT(probe, 2) << fd;
  }
}

}  // namespace
