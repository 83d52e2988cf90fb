// The main text window ("オリジナル画面"): the text that the ruby passes run on, its file and
// editing commands, the ruby commands' entry points, and the close query of the whole program.
#pragma once

#include <QPointer>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "app/dictionary_commands/dictionary_command_host.h"
#include "app/ruby_commands/ruby_command_host.h"
#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/view/text_window.h"


namespace common {
struct RecoveredText;
}  // namespace common

namespace rubywindow {
namespace view {
class RubyWindow;
struct RubyWindowSession;
}  // namespace view
}  // namespace rubywindow

namespace app {

class ClickableLabel;
class DictionaryCommands;
class RubyCommands;
class SettingsKeeper;

class MainTextWindow : public common::view::TextWindow,
                       public RubyCommandHost,
                       public DictionaryCommandHost {
  Q_OBJECT

 public:
  // The window keeps the settings' file up to date; the working files of the ruby passes go to
  // the services' work folder.
  explicit MainTextWindow(const common::view::WindowServices& services, QWidget* parent = nullptr);
  ~MainTextWindow() override;

  // The one place that changes the current file, its base name and the window title.
  void SetCurrentFile(const std::filesystem::path& path) { SetDocumentPath(path); }
  const std::filesystem::path& CurrentFileName() const { return DocumentPath(); }
  // The current file without the extension of its file name.
  const std::filesystem::path& CurrentBaseName() const { return base_name_; }

  // Loads `path` as the text (the command line's file). False after a message when it cannot.
  bool OpenFile(const std::filesystem::path& path) { return OpenDocumentFile(path); }

  // A second start of the program asked for this window, and for `file` if it named one: the
  // window comes to the front and opens the file as Open would, asking about unsaved text.
  void ShowForSecondStart(const std::optional<std::filesystem::path>& file);

  // Text a previous run left unsaved goes back into the window that held it: the text here,
  // the ruby in a new ruby window. Texts of other windows are left alone.
  void RestoreUnsavedTexts(const std::vector<common::RecoveredText>& texts);

  RubyCommands& Commands() const { return *ruby_commands_; }
  DictionaryCommands& DictionaryTools() const { return *dictionary_commands_; }
  rubywindow::view::RubyWindow* RubyWindowIfOpen() const;
  QString StatusText(int panel) const;  // 0 caret, 1 file, 2 progress

  // RubyCommandHost.
  QString Text() const override;
  QString SelectedText() const override;
  QString LineBeforeCaret() const override;
  std::filesystem::path CurrentFile() const override { return DocumentPath(); }
  common::TextEncoding DocumentEncoding() const override { return FileForm().encoding; }
  void ShowStatus(const QString& text) override;
  bool RubyWindowOpen() const override;
  void MoveCaretToByte(std::size_t byte_offset) override;
  int FileLineOfByte(std::size_t byte_offset) const override;
  void OpenRubyWindow(const std::filesystem::path& ruby_file, bool field_flag) override;
  void AnnounceRubyFile(const std::filesystem::path& backup) override;

  // DictionaryCommandHost (main_window_dictionary.cpp), besides the above.
  bool MayDropText() override;
  bool OpenAsDocument(const std::filesystem::path& path) override { return OpenFile(path); }
  void ReplaceText(const QString& text) override;
  std::filesystem::path DocumentBaseName() const override { return base_name_; }
  void ShowBuildReport(const std::filesystem::path& report) override;
  void ShowDictionaryIndicator(const QString& text) override;

 public slots:
  void EditCapacityClick();
  void ShrinkClick();
  void StandardSizeClick();
  void HelpClick();
  void VersionClick();
  void DictionaryIndicatorClick();
  void T1Click();  // brace escape
  void ShowProgress(const QString& text) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  QString TitleFor(const std::filesystem::path& path) const override;
  std::filesystem::path NewDocumentPath() const override;
  std::optional<std::filesystem::path> OverwriteTarget() override;
  void DocumentPathChanged() override;
  bool QueryClose() override;
  void WindowClosing() override;
  // By the readings of the ruby that the dictionaries give it, when the settings say so.
  std::optional<QString> SpokenText(const QString& text) override;

 private:
  static const common::view::TextWindowTraits& Traits();
  void CreateActions();
  void CreateMenus();
  void CreateStatusBar();
  void RunRubyCommand(void (RubyCommands::*command)());
  void CreateDictionaryActions();
  rubywindow::view::RubyWindow* NewRubyWindow();

  const common::view::WindowServices& context_;  // the frame's
  SettingsKeeper* settings_keeper_;  // a child: writes the settings file as the record changes
  std::unique_ptr<RubyCommands> ruby_commands_;
  std::unique_ptr<DictionaryCommands> dictionary_commands_;
  // The ruby window's choices that outlive one window and are never saved.
  std::unique_ptr<rubywindow::view::RubyWindowSession> ruby_session_;
  QPointer<rubywindow::view::RubyWindow> ruby_window_;

  std::filesystem::path base_name_;
  // While a ruby command runs, when it started: a ruby file written since then is its own.
  common::view::StatusLine* progress_panel_ = nullptr;
  ClickableLabel* dictionary_indicator_ = nullptr;
};

}  // namespace app
