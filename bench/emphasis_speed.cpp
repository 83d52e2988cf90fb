// Ruby emphasis on a large ruby file, offscreen: how long the window's event loop is kept
// waiting at most while the groups are coloured, and how long the whole colouring takes.
//
//   emphasis_speed MEGABYTES LIMIT     (run it with QT_QPA_PLATFORM=offscreen)
//
// A ruby text of MEGABYTES is written (lines of ten groups and plain text), opened in the ruby
// window, and emphasis is switched on with RBINTENSEMAX = LIMIT and off again.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/view/choosers.h"
#include "common/view/search_memory.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/view/ruby_window.h"
#include "rubywindow/view/ruby_window_session.h"

namespace fs = std::filesystem;

namespace {

class QuietMessenger final : public common::Messenger {
 public:
  void Tell(const common::Message& message) override {
    std::cerr << "【" << message.title << "】 " << message.text << "\n";
  }
  common::Answer Ask(const common::Message& message, common::Buttons) override {
    Tell(message);
    return common::Answer::kNo;
  }
  void SetProgress(std::string_view) override {}
};

class NoStarter final : public common::ProgramStarter {
 public:
  bool Start(const std::string&, const std::vector<std::string>&) override { return false; }
};

// {漢字/かんじ} in Shift_JIS, ten to a line with plain kanji between them.
fs::path WriteRubyText(const fs::path& folder, std::size_t megabytes) {
  const std::string group = "{\x8a\xbf\x8e\x9a/\x82\xa9\x82\xf1\x82\xb6}\x82\xcc";
  std::string line;
  for (int i = 0; i < 10; ++i) line += group;
  line += "\r\n";
  fs::path path = folder / "emphasis.srb";
  std::ofstream out(path, std::ios::binary);
  for (std::size_t written = 0; written < megabytes * 1000000; written += line.size()) out << line;
  return path;
}

// A timer that fires whenever the event loop is free: the longest gap between two of its turns
// is the longest the window kept a user waiting.
class Heartbeat {
 public:
  Heartbeat() {
    clock_.start();
    beat_.setInterval(0);
    QObject::connect(&beat_, &QTimer::timeout, [this] {
      qint64 now = clock_.elapsed();
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
  }

  struct Timing {
    qint64 returned = 0;  // ms until `start` returned
    qint64 done = 0;      // ms until `busy` turned false
    qint64 longest = 0;   // the longest wait, ms
  };

  // Runs `start`, then the event loop while `busy` holds.
  template <typename Start, typename Busy>
  Timing Measure(Start start, Busy busy) {
    Timing timing;
    longest_ = 0;
    last_ = 0;
    clock_.restart();
    beat_.start();
    start();
    timing.returned = clock_.elapsed();
    while (busy()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    timing.done = clock_.elapsed();
    QApplication::processEvents();
    beat_.stop();
    timing.longest = std::max(longest_, timing.returned);
    return timing;
  }

 private:
  QElapsedTimer clock_;
  QTimer beat_;
  qint64 longest_ = 0;
  qint64 last_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 3) {
    std::cerr << "usage: emphasis_speed MEGABYTES LIMIT\n";
    return 2;
  }
  std::size_t megabytes = std::stoul(argv[1]);
  int limit = std::stoi(argv[2]);
  fs::path folder = fs::temp_directory_path() / "mirukaze-emphasis-bench";
  fs::create_directories(folder);
  fs::path file = WriteRubyText(folder, megabytes);

  common::Settings settings;
  settings.highlight_max = limit;
  common::ProgramDir program(folder);
  QuietMessenger messenger;
  common::view::DialogChoosers choosers;
  common::view::SearchMemory search;
  NoStarter starter;
  rubywindow::view::RubyWindowSession session;
  rubywindow::view::RubyWindow window(rubywindow::view::RubyWindowContext{{.settings = &settings,
                                                                           .program = &program,
                                                                           .messenger = &messenger,
                                                                           .choosers = &choosers,
                                                                           .search = &search,
                                                                           .starter = &starter},
                                                                          &session});
  window.show();
  QElapsedTimer clock;
  clock.start();
  window.OpenRubyFile(file, false);
  std::printf("open %zu bytes: %.2f s\n", static_cast<std::size_t>(fs::file_size(file)),
              clock.elapsed() / 1000.0);

  auto* emphasis = window.findChild<QAction*>(QStringLiteral("rubyEmphasis"));
  Heartbeat heartbeat;
  // The pane lays out a newly loaded text in the background first; that is not the emphasis.
  QElapsedTimer idle;
  idle.start();
  Heartbeat::Timing before = heartbeat.Measure([] {}, [&] { return idle.elapsed() < 3000; });
  std::printf("before emphasis, idle: longest wait %lld ms\n",
              static_cast<long long>(before.longest));
  Heartbeat::Timing on = heartbeat.Measure([&] { emphasis->trigger(); },
                                           [&] { return window.EmphasisColouring(); });
  std::printf("emphasis on (RBINTENSEMAX %d): returned after %lld ms, coloured in %.2f s, "
              "longest wait %lld ms\n",
              limit, static_cast<long long>(on.returned), on.done / 1000.0,
              static_cast<long long>(on.longest));
  // Off checks the notation of the whole text first, beside the window.
  Heartbeat::Timing off = heartbeat.Measure([&] { emphasis->trigger(); },
                                            [&] { return window.EmphasisShown(); });
  std::printf("emphasis off: returned after %lld ms, off after the check in %.2f s, "
              "longest wait %lld ms\n",
              static_cast<long long>(off.returned), off.done / 1000.0,
              static_cast<long long>(off.longest));
  window.CloseWithoutQuery();
  fs::remove_all(folder);
  return 0;
}
