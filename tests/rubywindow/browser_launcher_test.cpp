#include "rubywindow/browser_launcher.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/recording_messenger.h"

namespace rubywindow {
namespace {

class FakeStarter : public ProgramStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.push_back(program);
    last_arguments = arguments;
    return working.contains(program);
  }
  std::set<std::string> working;
  std::vector<std::string> started;
  std::vector<std::string> last_arguments;
};

class FakePicker : public BrowserPicker {
 public:
  std::optional<std::string> PickBrowser() override {
    ++asked;
    return pick;
  }
  std::optional<std::string> pick;
  int asked = 0;
};

TEST(LaunchBrowser, PathWithBlanksIsOneArgument) {
  FakeStarter starter;
  starter.working = {"firefox"};
  FakePicker picker;
  testing_support::RecordingMessenger messenger;
  std::string browser = "firefox";
  EXPECT_EQ(LaunchBrowser("/my docs/aRb.html", browser, starter, picker, messenger),
            LaunchStatus::kOk);
  EXPECT_EQ(starter.last_arguments, std::vector<std::string>{"/my docs/aRb.html"});
  EXPECT_TRUE(messenger.records.empty());
}

TEST(LaunchBrowser, DesktopOpenerIsTriedBeforeAsking) {
  FakeStarter starter;
  starter.working = {"xdg-open"};
  FakePicker picker;
  testing_support::RecordingMessenger messenger;
  std::string browser = "c:\\Program Files\\Internet Explorer\\iexplore";
  EXPECT_EQ(LaunchBrowser("/d/aRb.html", browser, starter, picker, messenger), LaunchStatus::kOk);
  EXPECT_EQ(starter.started.back(), "xdg-open");
  EXPECT_EQ(picker.asked, 0);
}

TEST(LaunchBrowser, CancelledPickStops) {
  FakeStarter starter;
  FakePicker picker;
  testing_support::RecordingMessenger messenger;
  std::string browser = "none";
  EXPECT_EQ(LaunchBrowser("/d/aRb.html", browser, starter, picker, messenger),
            LaunchStatus::kCancelled);
  ASSERT_EQ(messenger.records.size(), 1u);
  EXPECT_EQ(messenger.records[0].text, "ブラウザが開けません。正しく設定して下さい。");
  EXPECT_EQ(messenger.records[0].title, "ご注意!!");
  EXPECT_EQ(browser, "none");
}

TEST(LaunchBrowser, PickedBrowserIsKeptAndTriedOnce) {
  FakeStarter starter;
  FakePicker picker;
  picker.pick = "/usr/bin/other";
  testing_support::RecordingMessenger messenger;
  std::string browser = "none";
  EXPECT_EQ(LaunchBrowser("/d/aRb.html", browser, starter, picker, messenger),
            LaunchStatus::kFailed);
  EXPECT_EQ(browser, "/usr/bin/other");
  ASSERT_EQ(messenger.records.size(), 2u);
  EXPECT_EQ(messenger.records[1].text, "ブラウザが開けません。よく調べて下さい。");
  starter.working = {"/usr/bin/other"};
  messenger.records.clear();
  browser = "none";
  EXPECT_EQ(LaunchBrowser("/d/aRb.html", browser, starter, picker, messenger), LaunchStatus::kOk);
}

TEST(ProcessStarter, MissingProgramIsAFailure) {
  ProcessStarter starter;
  EXPECT_FALSE(starter.Start("/nonexistent/mirukaze-browser", {"x"}));
}

TEST(ProcessStarter, ExistingProgramStarts) {
  ProcessStarter starter;
  EXPECT_TRUE(starter.Start("true", {"a page with blanks.html"}));
}

}  // namespace
}  // namespace rubywindow
