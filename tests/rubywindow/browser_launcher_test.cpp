#include "rubywindow/browser_launcher.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/rubywindow/rubywindow_fixtures.h"

namespace rubywindow {
namespace {

class FakeStarter : public common::ProgramStarter {
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

// The set browser first, then the desktop opener, before the user is asked for one.
TEST(LaunchBrowser, SetBrowserOrDesktopOpenerGetsThePageAsOneArgument) {
  for (std::string working : {"firefox", "xdg-open"}) {
    FakeStarter starter;
    starter.working = {working};
    FakePicker picker;
    RecordingMessenger messenger;
    std::string browser = "firefox";
    EXPECT_EQ(LaunchBrowser("/my docs/aRb.html", browser, starter, picker, messenger),
              LaunchStatus::kOk);
    EXPECT_EQ(starter.started.back(), working);
    EXPECT_EQ(starter.last_arguments, std::vector<std::string>{"/my docs/aRb.html"});
    EXPECT_EQ(picker.asked, 0);
    EXPECT_TRUE(messenger.records.empty());
  }
}

TEST(LaunchBrowser, CancelledPickStops) {
  FakeStarter starter;
  FakePicker picker;
  RecordingMessenger messenger;
  std::string browser = "none";
  EXPECT_EQ(LaunchBrowser("/d/aRb.html", browser, starter, picker, messenger),
            LaunchStatus::kCancelled);
  ASSERT_TRUE(ShowedOnly(messenger, "ご注意!!", "ブラウザが開けません。正しく設定して下さい。"));
  EXPECT_EQ(browser, "none");
}

TEST(LaunchBrowser, PickedBrowserIsKeptAndTriedOnce) {
  FakeStarter starter;
  FakePicker picker;
  picker.pick = "/usr/bin/other";
  RecordingMessenger messenger;
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

}  // namespace
}  // namespace rubywindow
