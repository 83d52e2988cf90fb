// Times the ruby-dictionary build of the desktop program against the command line's: the
// source is opened (and laid out) in the main text window and built through the build command (its
// dialog answered with 実行) on the build's worker thread until it has finished; each run also
// times `CLI --home HOME --yes build-dic SOURCE` right before, so that both see the same load on
// the machine (the builds wait mostly for the disk). Meanwhile a timer on the window's thread
// measures the longest time the window went without handling an event.
//
//   gui_build_speed HOME SOURCE CLI [RUNS]     (run it with QT_QPA_PLATFORM=offscreen)
//
// prints one line per measurement; exits 1 when a build did not write its dictionary.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/dictionary_commands/build_kind_dialog.h"
#include "app/dictionary_commands/dictionary_commands.h"
#include "app/main_text_window.h"
#include "common/settings/settings.h"
#include "common/view/choosers.h"
#include "common/view/search_memory.h"
#include "common/view/text_pane.h"
#include "rubywindow/browser_launcher.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Messages go to stderr. OK to replacing the old dictionary, No to showing the report, so that
// nothing waits for a person.
class QuietMessenger final : public common::Messenger {
 public:
  void Tell(const common::Message& message) override {
    std::cerr << "【" << message.title << "】 " << message.text << "\n";
  }
  common::Answer Ask(const common::Message& message, common::Buttons buttons) override {
    Tell(message);
    return buttons == common::Buttons::kYesNo ? common::Answer::kNo : common::Answer::kOk;
  }
  void SetProgress(std::string_view) override {}
};

class NoStarter final : public rubywindow::ProgramStarter {
 public:
  bool Start(const std::string&, const std::vector<std::string>&) override { return false; }
};

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct BuildTiming {
  double seconds = -1;
  double longest_stall = 0;  // seconds the window's thread handled no event
};

BuildTiming TimeBuild(app::MainTextWindow& window, const fs::path& dictionary) {
  fs::remove(dictionary);
  BuildTiming timing;
  constexpr int kTickMilliseconds = 5;
  QTimer ticker;
  Clock::time_point last_tick = Clock::now();
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    timing.longest_stall = std::max(timing.longest_stall, SecondsSince(last_tick));
    last_tick = Clock::now();
  });
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<app::BuildKindDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    dialog->Choose(app::BuildKind::kRubyDictionary);
    dialog->findChild<QPushButton*>("run_button")->click();
  });
  bool finished = false;
  QObject::connect(&window.DictionaryTools(), &app::DictionaryCommands::BuildFinished,
                   [&finished] { finished = true; });
  auto start = Clock::now();
  window.DictionaryTools().BuildClick();  // returns once the dialog has closed
  last_tick = Clock::now();
  ticker.start(kTickMilliseconds);
  while (!finished) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  timing.seconds = SecondsSince(start);
  timing.longest_stall = std::max(timing.longest_stall, SecondsSince(last_tick));
  if (!fs::exists(dictionary)) timing.seconds = -1;
  return timing;
}

// The same build by the command-line tool, in seconds; negative when it failed.
double TimeCommandLine(const std::string& cli, const fs::path& home, const fs::path& source,
                       const fs::path& dictionary) {
  fs::remove(dictionary);
  std::string command = "'" + cli + "' --home '" + home.string() + "' --yes build-dic '" +
                        source.string() + "' >/dev/null 2>&1 </dev/null";
  auto start = Clock::now();
  int status = std::system(command.c_str());
  double seconds = SecondsSince(start);
  return status == 0 && fs::exists(dictionary) ? seconds : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 4) {
    std::cerr << "usage: gui_build_speed HOME SOURCE CLI [RUNS]\n";
    return 2;
  }
  const common::ProgramDir program(fs::absolute(argv[1]));
  const fs::path source = fs::absolute(argv[2]);
  const std::string cli = fs::absolute(argv[3]).string();
  const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;
  common::Settings settings = common::LoadSettings(program.Dir());
  QuietMessenger messenger;
  common::view::DialogChoosers choosers;
  common::view::SearchMemory search;
  NoStarter starter;
  const fs::path work = fs::temp_directory_path() / "gui_build_speed_work";
  fs::create_directories(work);
  app::MainTextWindow window({&settings, &program, &messenger, &choosers, &search, &starter, work});
  window.show();

  // The window lays out a wrapped text in slices after opening it; the builds are timed once
  // that has ended, as they would be a moment after the user opened the source.
  bool laid_out = false;
  QObject::connect(window.Pane(), &common::view::TextPane::displayLinesReady,
                   [&laid_out] { laid_out = true; });
  auto start = Clock::now();
  if (!window.OpenFile(source)) return 1;
  while (!laid_out) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  std::printf("open %s in the main text window and lay it out: %.3f s\n", source.filename().c_str(),
              SecondsSince(start));

  fs::path dictionary = source;
  dictionary.replace_extension(".dic");
  std::vector<double> window_times;
  std::vector<double> cli_times;
  double longest_stall = 0;
  for (int run = 0; run < runs; ++run) {
    double cli_seconds = TimeCommandLine(cli, program.Dir(), source, dictionary);
    BuildTiming timing = TimeBuild(window, dictionary);
    if (cli_seconds < 0 || timing.seconds < 0) return 1;
    cli_times.push_back(cli_seconds);
    window_times.push_back(timing.seconds);
    longest_stall = std::max(longest_stall, timing.longest_stall);
  }
  std::printf("build from the command line (build-dic): best %.3f s, median %.3f s (%d runs)\n",
              *std::min_element(cli_times.begin(), cli_times.end()), Median(cli_times), runs);
  std::printf("build from the window (辞書作成開始): best %.3f s, median %.3f s (%d runs)\n",
              *std::min_element(window_times.begin(), window_times.end()), Median(window_times),
              runs);
  std::printf("longest time the window handled no event during a build: %.3f s\n", longest_stall);
  fs::remove_all(work);
  return 0;
}
