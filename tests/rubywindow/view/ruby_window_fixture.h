// A ruby window with everything it is handed, in a scratch program folder, and helpers that
// answer its modal dialogs as a user would.
#pragma once

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/view/search_memory.h"
#include "common/view/text_pane.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/view/ruby_window.h"
#include "rubywindow/view/ruby_window_session.h"
#include "speech/qt/speech_controls.h"
#include "speech/read_aloud.h"
#include "tests/speech/recording_engine.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/scripted_choosers.h"
#include "tests/support/test_files.h"

namespace ruby_window_testing {

namespace fs = std::filesystem;

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Notes each program start, the browser's among them, and reports it started.
class RecordingStarter final : public common::ProgramStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.push_back({program, arguments});
    return true;
  }
  std::vector<std::pair<std::string, std::vector<std::string>>> started;
};

struct Fixture {
  testing_support::ScratchDir dir;
  common::Settings settings;
  common::ProgramDir program{dir.Path()};
  testing_support::RecordingMessenger messenger;
  testing_support::ScriptedChoosers choosers;
  common::view::SearchMemory search;
  RecordingStarter starter;
  rubywindow::view::RubyWindowSession session;
  testing_support::RecordingEngine engine;
  speech::ReadAloud speech{engine, settings, messenger};
  speech::qt::SpeechControls speech_controls{settings, speech};
  std::unique_ptr<rubywindow::view::RubyWindow> window;
  int guide_opened = 0;  // the user guide, as F1 in the main text window opens it

  // `emphasis` is the stored RBINTENSEFLAG.
  explicit Fixture(int emphasis = 0) {
    settings.highlight_readings = emphasis;
    window = std::make_unique<rubywindow::view::RubyWindow>(Context());
  }
  rubywindow::view::RubyWindowContext Context() {
    return {{.settings = &settings,
             .program = &program,
             .messenger = &messenger,
             .choosers = &choosers,
             .search = &search,
             .starter = &starter,
             .speech = &speech_controls,
             .open_help = [this] { ++guide_opened; }},
            &session};
  }
  common::view::TextPane* Pane() const { return window->findChild<common::view::TextPane*>(); }
  QAction* Action(const char* name) const {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }
  void Trigger(const char* name) { Action(name)->trigger(); }
  // Opens `sjis` as the ruby file `name` in the scratch folder, as the last ruby pass's output.
  fs::path Open(std::string_view name, std::string_view sjis) {
    fs::path path = dir / name;
    testing_support::WriteFile(path, sjis);
    window->OpenRubyFile(path, true);
    messenger.records.clear();
    return path;
  }
};

// Runs `prepare` on the next modal dialog, then presses its run button; a run it refuses leaves
// it open, and it is then cancelled so that the test goes on.
inline void AcceptNextDialog(std::function<void(QDialog*)> prepare = {}) {
  QTimer::singleShot(0, [prepare] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    if (prepare) prepare(dialog);
    dialog->accept();
    if (dialog->isVisible()) dialog->reject();
  });
}

inline void ClickRadio(QDialog* dialog, const char* caption) {
  for (auto* radio : dialog->findChildren<QRadioButton*>()) {
    if (radio->text() == U(caption)) radio->click();
  }
}

}  // namespace ruby_window_testing
