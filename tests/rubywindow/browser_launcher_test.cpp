#include "rubywindow/browser_launcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
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

// A starter that answers later, as the windows' one does after watching the browser.
class LaterStarter : public common::ProgramStarter {
 public:
  bool Start(const std::string&, const std::vector<std::string>&) override { return false; }
  void StartThen(const std::string& program, const std::vector<std::string>&,
                 std::function<void(bool started)> started) override {
    asked.push_back(program);
    waiting = std::move(started);
  }
  std::vector<std::string> asked;
  std::function<void(bool)> waiting;
};

// Each answer that comes later moves the launch on: a browser that gave up after its start is
// reported with the open dialog offered, and a picked browser is tried and kept.
TEST(LaunchBrowserThen, LaterAnswersMoveTheLaunchOn) {
  struct Case {
    std::vector<bool> answers;
    std::optional<std::string> pick;
    std::vector<std::string> asked;
    LaunchStatus status;
    std::string kept;
    std::vector<std::string> told;
  } cases[] = {
      {{true}, {}, {"fx"}, LaunchStatus::kOk, "fx", {}},
      {{false, true}, {}, {"fx", "xdg-open"}, LaunchStatus::kOk, "fx", {}},
      {{false, false},
       {},
       {"fx", "xdg-open"},
       LaunchStatus::kCancelled,
       "fx",
       {"ブラウザが開けません。正しく設定して下さい。"}},
      {{false, false, true},
       "/opt/web",
       {"fx", "xdg-open", "/opt/web"},
       LaunchStatus::kOk,
       "/opt/web",
       {"ブラウザが開けません。正しく設定して下さい。"}},
      {{false, false, false},
       "/opt/web",
       {"fx", "xdg-open", "/opt/web"},
       LaunchStatus::kFailed,
       "/opt/web",
       {"ブラウザが開けません。正しく設定して下さい。",
        "ブラウザが開けません。よく調べて下さい。"}},
  };
  for (const Case& c : cases) {
    LaterStarter starter;
    FakePicker picker;
    picker.pick = c.pick;
    testing_support::RecordingMessenger messenger;
    std::optional<LaunchStatus> status;
    std::string kept;
    LaunchBrowserThen("/d/aRb.html", "fx", starter, picker, messenger,
                      [&](LaunchStatus outcome, const std::string& browser) {
                        status = outcome;
                        kept = browser;
                      });
    for (bool answer : c.answers) {
      ASSERT_FALSE(status.has_value());
      ASSERT_TRUE(starter.waiting);
      std::function<void(bool)> waiting = std::move(starter.waiting);
      starter.waiting = nullptr;
      waiting(answer);
    }
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, c.status);
    EXPECT_EQ(kept, c.kept);
    EXPECT_EQ(starter.asked, c.asked);
    std::vector<std::string> told;
    for (const auto& record : messenger.records) told.push_back(record.text);
    EXPECT_EQ(told, c.told);
    EXPECT_EQ(picker.asked, c.told.empty() ? 0 : 1);
  }
}

}  // namespace
}  // namespace rubywindow
