// The main text window ("オリジナル画面"): the text that the ruby passes run on, its file and
// editing commands, the ruby commands' entry points, and the close query of the whole program.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <filesystem>
#include <memory>

#include "app/ruby_commands/ruby_command_host.h"
#include "common/messenger.h"
#include "common/program_dir.h"
#include "common/settings.h"
#include "common/view/text_file_io.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace common::view {
class Choosers;
class EditCommands;
struct SearchMemory;
class TextPane;
}  // namespace common::view

namespace rubywindow {
class ProgramStarter;
namespace view {
class RubyWindow;
struct RubyWindowSession;
}  // namespace view
}  // namespace rubywindow

namespace app {

class ClickableLabel;
class RubyCommands;

// What the application hands the main text window. It owns none of it; all of it outlives the
// window.
struct MainWindowContext {
  common::Settings* settings = nullptr;  // loaded at start; the window saves it when it closes
  const common::ProgramDir* program = nullptr;
  common::Messenger* messenger = nullptr;
  common::view::Choosers* choosers = nullptr;
  common::view::SearchMemory* search = nullptr;
  rubywindow::ProgramStarter* starter = nullptr;  // the browser, for help and the ruby window
  std::filesystem::path work_dir;                 // the working files of the ruby passes
};

class MainTextWindow : public QMainWindow, public RubyCommandHost {
  Q_OBJECT

 public:
  explicit MainTextWindow(const MainWindowContext& context, QWidget* parent = nullptr);
  ~MainTextWindow() override;

  // The one place that changes the current file, its base name and the window title.
  void SetCurrentFile(const std::filesystem::path& path);
  const std::filesystem::path& CurrentFileName() const { return current_file_; }
  // The current file without the extension of its file name.
  const std::filesystem::path& CurrentBaseName() const { return base_name_; }

  // Loads `path` as the text (the command line's file). False after a message when it cannot.
  bool OpenFile(const std::filesystem::path& path);

  common::view::TextPane* Pane() const { return pane_; }
  common::view::EditCommands& Edit() const { return *edit_; }
  RubyCommands& Commands() const { return *ruby_commands_; }
  rubywindow::view::RubyWindow* RubyWindowIfOpen() const;
  QString StatusText(int panel) const;  // 0 caret, 1 file, 2 progress

  // RubyCommandHost.
  QString Text() const override;
  QString SelectedText() const override;
  QString LineBeforeCaret() const override;
  std::filesystem::path CurrentFile() const override { return current_file_; }
  bool RubyWindowOpen() const override;
  void MoveCaretToByte(std::size_t byte_offset) override;
  int DisplayLineOfByte(std::size_t byte_offset) const override;
  void OpenRubyWindow(const std::filesystem::path& ruby_file, bool field_flag) override;

 public slots:
  void NewClick();
  void OpenClick();
  bool SaveClick();    // true when the text was written
  bool SaveAsClick();  // likewise
  void EditCapacityClick();
  void ToolbarClick(bool shown);
  void WordWrapClick(bool on);
  void ShrinkClick();
  void HelpClick();
  void VersionClick();
  void DictionaryIndicatorClick();
  void T1Click();  // brace escape
  void ShowProgress(const QString& text);
  void UpdateCaretDisplay();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateActions();
  void CreateFileActions();
  void CreateViewActions();
  QAction* AddAction(const char* object_name, const QString& caption, const QKeySequence& key);
  QAction* AddRubyAction(const char* object_name, const QString& caption, const QKeySequence& key,
                         void (RubyCommands::*slot)());
  void CreateRubyActions();
  void CreatePopupRubyActions();
  void CreateMenus();
  void CreateToolBar();
  void CreatePopupMenu();
  void CreateStatusBar();
  void ApplySettings();
  void StoreSettings();

  common::Answer ConfirmUnsaved();
  bool WriteText(const std::filesystem::path& path);
  bool ClearReadOnlyIfAsked(const std::filesystem::path& path);
  void LoadText(const common::view::LoadedText& loaded, const std::filesystem::path& path);
  void ShowFileStatus(std::string_view pattern, const std::filesystem::path& path);
  bool FormCloseQuery();
  void Tell(std::string_view title, const std::string& text);

  MainWindowContext context_;
  common::view::TextPane* pane_ = nullptr;
  common::view::EditCommands* edit_ = nullptr;
  std::unique_ptr<RubyCommands> ruby_commands_;
  // The ruby window's choices that outlive one window and are never saved.
  std::unique_ptr<rubywindow::view::RubyWindowSession> ruby_session_;
  QPointer<rubywindow::view::RubyWindow> ruby_window_;

  std::filesystem::path current_file_;
  std::filesystem::path base_name_;
  common::view::TextEncoding encoding_ = common::view::TextEncoding::kShiftJis;

  QAction* new_action_ = nullptr;
  QAction* open_action_ = nullptr;
  QAction* save_action_ = nullptr;
  QAction* save_as_action_ = nullptr;
  QAction* capacity_action_ = nullptr;
  QAction* exit_action_ = nullptr;
  QAction* popup_save_action_ = nullptr;
  QAction* popup_end_action_ = nullptr;
  QAction* toolbar_action_ = nullptr;
  QAction* word_wrap_action_ = nullptr;
  QAction* shrink_action_ = nullptr;
  QAction* help_action_ = nullptr;
  QAction* help_search_action_ = nullptr;
  QAction* help_usage_action_ = nullptr;
  QAction* version_action_ = nullptr;
  QAction* all_ruby_action_ = nullptr;
  QAction* grade_ruby_action_ = nullptr;
  QAction* level_ruby_action_ = nullptr;
  QAction* line_ruby_action_ = nullptr;
  QAction* empty_ruby_window_action_ = nullptr;
  QAction* non_ruby_area_action_ = nullptr;
  QAction* brace_escape_action_ = nullptr;
  QAction* popup_all_ruby_action_ = nullptr;
  QAction* popup_grade_ruby_action_ = nullptr;
  QAction* popup_level_ruby_action_ = nullptr;
  QAction* popup_line_ruby_action_ = nullptr;
  QAction* popup_non_ruby_area_action_ = nullptr;
  QMenu* edit_menu_ = nullptr;
  QMenu* popup_menu_ = nullptr;
  QToolBar* tool_bar_ = nullptr;
  QLabel* caret_panel_ = nullptr;
  QLabel* file_panel_ = nullptr;
  QLabel* progress_panel_ = nullptr;
  ClickableLabel* dictionary_indicator_ = nullptr;
};

}  // namespace app
