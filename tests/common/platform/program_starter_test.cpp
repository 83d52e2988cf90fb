#include "common/platform/program_starter.h"

#include <gtest/gtest.h>

namespace common {
namespace {

// A program that fails at once (xdg-open with no browser to hand the page to) has not started;
// one that keeps running has.
TEST(ProcessStarter, ExistingProgramStartsAndMissingOrFailingOneFails) {
  ProcessStarter starter;
  EXPECT_TRUE(starter.Start("true", {"a page with blanks.html"}));
  // Its output goes elsewhere, so that it does not hold the test's open past its end.
  EXPECT_TRUE(starter.Start("sh", {"-c", "exec >/dev/null 2>&1; sleep 2"}));
  EXPECT_FALSE(starter.Start("/nonexistent/mirukaze-browser", {"x"}));
  EXPECT_FALSE(starter.Start("sh", {"-c", "exit 3"}));
}

}  // namespace
}  // namespace common
