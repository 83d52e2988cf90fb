#include "jobs/conversion_jobs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace jobs {
namespace {

namespace fs = std::filesystem;

TEST(YmiPageSource, FollowsTheFileName) {
  struct Case {
    fs::path ymi_file;
    std::optional<fs::path> source;
  };
  const Case cases[] = {
      {"/d/list.ymi", fs::path("/d/listYMI.ymi")},
      {"/d/LIST.YMI", fs::path("/d/LISTYMI.ymi")},
      {"list.ymi", fs::path("/prog/listYMI.ymi")},  // no folder: the program folder
      {"/d/list.txt", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(YmiPageSource(c.ymi_file, "/prog"), c.source) << c.ymi_file;
  }
}

}  // namespace
}  // namespace jobs
