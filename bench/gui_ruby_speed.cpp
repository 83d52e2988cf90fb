// Times the all-ruby command of the desktop program through the main text window's own slot:
// the text is opened in the window, F5's handler runs the pass and opens the ruby window, as
// when the user presses F5. Also times opening a large ruby file in the ruby window.
//
//   gui_ruby_speed HOME TEXT [RUNS]      (run it with QT_QPA_PLATFORM=offscreen)
//
// prints one line per measurement; exits 1 when a run did not open the ruby window.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "app/main_text_window.h"
#include "app/ruby_commands/ruby_commands.h"
#include "common/settings/settings.h"
#include "common/view/choosers.h"
#include "common/view/search_memory.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/view/ruby_window.h"

namespace fs = std::filesystem;

namespace {

// Every message goes to stderr; a question is answered No, so nothing waits for a person.
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

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void CloseRubyWindow(app::MainTextWindow& window) {
  if (auto* ruby = window.RubyWindowIfOpen()) ruby->CloseWithoutQuery();
  QApplication::processEvents();
}

// Best of `runs` F5 runs; negative when one failed.
double TimeAllRuby(app::MainTextWindow& window, int runs) {
  double best = -1;
  for (int run = 0; run < runs; ++run) {
    CloseRubyWindow(window);
    auto start = std::chrono::steady_clock::now();
    window.Commands().AllRubiClick();
    QApplication::processEvents();
    double seconds = SecondsSince(start);
    if (!window.RubyWindowOpen()) return -1;
    if (best < 0 || seconds < best) best = seconds;
  }
  return best;
}

// A ruby file of at least `bytes`, made by repeating `ruby_file`.
fs::path LargeRubyFile(const fs::path& ruby_file, std::uintmax_t bytes) {
  fs::path large = ruby_file.parent_path() / "large_bench.srb";
  std::ifstream in(ruby_file, std::ios::binary);
  std::string once((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream out(large, std::ios::binary);
  for (std::uintmax_t written = 0; !once.empty() && written < bytes; written += once.size()) {
    out << once;
  }
  return large;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 3) {
    std::cerr << "usage: gui_ruby_speed HOME TEXT [RUNS]\n";
    return 2;
  }
  const common::ProgramDir program(fs::absolute(argv[1]));
  const fs::path text = fs::absolute(argv[2]);
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
  common::Settings settings = common::LoadSettings(program.Dir());
  QuietMessenger messenger;
  common::view::DialogChoosers choosers;
  common::view::SearchMemory search;
  NoStarter starter;
  const fs::path work = fs::temp_directory_path() / "gui_ruby_speed_work";
  fs::create_directories(work);
  app::MainTextWindow window({&settings, &program, &messenger, &choosers, &search, &starter, work});
  window.show();

  auto start = std::chrono::steady_clock::now();
  if (!window.OpenFile(text)) return 1;
  QApplication::processEvents();
  std::printf("open %s in the main text window: %.3f s\n", text.filename().c_str(),
              SecondsSince(start));

  double seconds = TimeAllRuby(window, runs);
  if (seconds < 0) return 1;
  double megabytes = static_cast<double>(fs::file_size(text)) / 1e6;
  std::printf("F5 (AllRubiClick) on %.2f MB, ruby window open: %.3f s (best of %d), %.1f MB/s\n",
              megabytes, seconds, runs, megabytes / seconds);

  fs::path ruby_file = window.RubyWindowIfOpen()->DocumentPath();
  CloseRubyWindow(window);
  fs::path large = LargeRubyFile(ruby_file, 5'000'000);
  start = std::chrono::steady_clock::now();
  window.OpenRubyWindow(large, false);
  QApplication::processEvents();
  std::printf("ruby window opening a %.2f MB ruby file: %.3f s\n", fs::file_size(large) / 1e6,
              SecondsSince(start));
  CloseRubyWindow(window);
  fs::remove(large);
  fs::remove_all(work);
  return 0;
}
