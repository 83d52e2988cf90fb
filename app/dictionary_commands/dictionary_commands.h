// The main text window's dictionary commands: open a dictionary source, build one of the three
// dictionaries, show the build report, restore a source from a dictionary, sort a source, find
// a duplicate word, and the registry dialog. Each takes the window's text or a chosen file,
// calls the same core function as the command-line tool, and shows what came of it.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/dictionary_commands/dictionary_command_host.h"
#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/view/build_runner.h"
#include "common/view/window_services.h"

class QWidget;

namespace app {

class BackgroundBuild;

// The window's services (a build's working files go to its work folder), and what only the
// dictionary commands ask of the window.
struct DictionaryCommandServices : common::view::WindowServices {
  std::function<void()> settings_changed{};  // a build recorded a setting: it goes to the file
};

class DictionaryCommands : public QObject {
  Q_OBJECT

 public:
  DictionaryCommands(DictionaryCommandHost& host, const DictionaryCommandServices& services,
                     QWidget* dialog_parent);
  ~DictionaryCommands() override;

  // Whether a build is running on its worker thread.
  bool Building() const;
  // The build thread, for the builds other windows start (one at a time with these).
  common::view::BuildRunner& Builds();
  // Refuses, with a message, while a build runs: the window must not close under it.
  bool MayClose();

 public slots:
  void OpenSourceClick();      // 辞書元FILE読込
  void BuildClick();           // 辞書作成開始
  void ShowReportClick();      // エラーメッセージ表示
  void RestoreClick();         // Preファイルを復元, Ctrl+Alt+B
  void SortClick();            // ソート, Ctrl+Alt+S
  void DuplicateCheckClick();  // 重複チェック, Ctrl+W
  void RegistryClick();        // 辞書選択, Shift+F8

 signals:
  void BuildFinished();

 private:
  bool RefuseWhileBuilding();
  void BuildRubyDictionary();
  void BuildGradeDictionary();
  void BuildLevelDictionary();
  std::filesystem::path ReportPath() const;

  DictionaryCommandHost& host_;
  DictionaryCommandServices services_;
  QWidget* dialog_parent_;
  BackgroundBuild* build_;
  // The source's base name at the last ruby-dictionary build: its report is the one shown.
  std::optional<std::filesystem::path> built_base_name_;
};

}  // namespace app
