// The main text window as its tests start it: a program folder with the all-ruby golden
// files' dictionary, fresh settings, a recording messenger and speech engine, and the window
// with its services.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/edit_capacity_dialog.h"
#include "app/main_text_window.h"
#include "common/documents/recovery.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/view/display_dialogs.h"
#include "common/view/search_memory.h"
#include "common/view/text_pane.h"
#include "engine/commands/dictionary_use.h"
#include "rubywindow/browser_launcher.h"
#include "rubywindow/view/ruby_window.h"
#include "speech/qt/speech_controls.h"
#include "speech/qt/speech_settings_window.h"
#include "speech/read_aloud.h"
#include "tests/app/app_fixtures.h"
#include "tests/speech/recording_engine.h"
#include "tests/support/scripted_choosers.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;
using app_testing::NoStarter;
using app_testing::QtPath;
using app_testing::Showed;
using common::Answer;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::Sjis;
using testing_support::WriteFile;

class MainWindowFixture : public QObject {
 protected:
  ScratchDir home_;  // the program folder, with the main dictionary of the all-ruby golden files
  const common::ProgramDir program_{home_.Path()};
  std::optional<ScratchDir> docs_;
  std::optional<ScratchDir> work_;
  common::Settings settings_;
  RecordingMessenger messenger_;
  testing_support::ScriptedChoosers choosers_;
  common::view::SearchMemory search_;
  NoStarter starter_;
  testing_support::RecordingEngine engine_;
  std::optional<speech::ReadAloud> speech_;
  std::optional<speech::qt::SpeechControls> controls_;
  std::unique_ptr<app::MainTextWindow> window_;

  common::view::TextPane& Pane() const { return *window_->Pane(); }
  void Type(const QString& text) { Pane().insertPlainText(text); }

  std::unique_ptr<app::MainTextWindow> MakeWindow(common::Settings& settings,
                                                  const common::ProgramDir& program,
                                                  const common::RecoveryStore* recovery = nullptr) {
    auto window = std::make_unique<app::MainTextWindow>(
        common::view::WindowServices{.settings = &settings,
                                     .program = &program,
                                     .messenger = &messenger_,
                                     .choosers = &choosers_,
                                     .search = &search_,
                                     .starter = &starter_,
                                     .speech = &*controls_,
                                     .recovery = recovery,
                                     .work_dir = work_->Path()});
    window->show();
    return window;
  }

  // The ruby window on a small ruby text, and the YMI and NNN windows made from it: the main
  // text window's child windows.
  QList<common::view::TextWindow*> OpenEveryWindow() {
    Action("emptyRubyWindowAction")->trigger();
    rubywindow::view::RubyWindow* ruby = window_->RubyWindowIfOpen();
    ruby->findChild<common::view::TextPane*>()->insertPlainText("a,{漢/かん}\n");
    for (auto make :
         {&rubywindow::view::RubyWindow::MakeYmi, &rubywindow::view::RubyWindow::MakeNnn}) {
      QTimer::singleShot(0, [] {
        QApplication::activeModalWidget()->findChild<QPushButton*>("runButton")->click();
      });
      (ruby->*make)();
    }
    return window_->findChildren<common::view::TextWindow*>(Qt::FindDirectChildrenOnly);
  }

  QAction* Action(const char* name) const {
    auto* action = window_->findChild<QAction*>(name);
    if (action == nullptr) qFatal("no action %s", name);
    return action;
  }

  void SetUpProgram() {
    QVERIFY(app_testing::MakeProgramFolder(
        home_.Path(), testing_support::TestData("cli/all_ruby/Qv_Body.pre"), false));
  }
  // The program folder made afresh, with the ruby commands' dictionaries too, for a test that
  // changes them; gives the grade dictionary's kanji count, or nullopt when a build failed.
  std::optional<int> RemakeProgramWithEveryDictionary() {
    fs::remove_all(home_.Path());
    fs::create_directory(home_.Path());
    return app_testing::MakeProgramFolder(
        home_.Path(), testing_support::TestData("cli/all_ruby/Qv_Body.pre"), true);
  }
  // A fresh window on fresh settings, read from no file.
  void SetUp() {
    ResetServices();
    window_ = MakeWindow(settings_, program_);
  }
  // Fresh folders, settings, messenger, choosers and speech, for a window yet to be made.
  void ResetServices() {
    fs::remove(program_.SettingsFile());
    docs_.emplace();
    work_.emplace();
    settings_ = common::LoadSettings(program_.Dir());
    // F5 is compared with the dictionary's own files, whatever analyser the machine has.
    settings_.yomi_mode = static_cast<int>(engine::ReadingMode::kDictionary);
    messenger_ = RecordingMessenger();
    choosers_ = testing_support::ScriptedChoosers();
    search_ = common::view::SearchMemory();
    engine_ = testing_support::RecordingEngine();
    speech_.emplace(engine_, settings_, messenger_);
    controls_.emplace(settings_, *speech_);
  }
  void TearDown() { window_.reset(); }
};
