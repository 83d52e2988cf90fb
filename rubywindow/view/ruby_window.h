// The ruby window: one ruby file as editable text, its saving, and the commands that check it
// and show it in the browser.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/notation_checker.h"
#include "common/view/text_file_io.h"
#include "rubywindow/view/ruby_window_context.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace common::view {
class EditCommands;
class TextPane;
}  // namespace common::view

namespace rubywindow::view {

struct RubyWindowSession;

class RubyWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Places the window and applies its looks from the settings. Everything in `context` must
  // outlive the window. The window does not delete itself when closed; its owner does.
  explicit RubyWindow(const RubyWindowContext& context, QWidget* parent = nullptr);
  ~RubyWindow() override;

  // Opens a ruby file (Shift_JIS, or UTF-8 when it is valid UTF-8 holding non-ASCII text). A
  // missing file is reported and the window shows an empty text under that name; the name of a
  // document not yet saved ("新規ﾌｧｲﾙ.srb") opens empty without a message. `field_flag` says
  // that the last ruby pass was a line-and-field pass over fields.
  void OpenRubyFile(const std::filesystem::path& path, bool field_flag);
  // Shows the dictionary build report in error-list mode, in which the browser displays and the
  // check do nothing.
  void ShowBuildReport(const std::filesystem::path& report_path);

  bool IsModified() const;
  // The overwrite save; false when it did not save (not edited, declined or failed).
  bool Save();
  // Closes without asking; the application's close query has asked already.
  void CloseWithoutQuery();

  const std::filesystem::path& DocumentPath() const { return document_path_; }
  bool YmiAvailable() const { return ymi_available_; }
  bool ErrorListMode() const { return error_list_mode_; }

 signals:
  void Closed();  // once, when the window has closed

 public slots:
  void NewFile();
  void OpenFile();
  void SaveAs();
  void BrowserRubyDisplay();
  void HtmlRubyDisplay();
  void RubyFormatSettings();
  void ChooseBrowser();
  void NotationTest();
  void StandardSize();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions();
  void CreateFileActions();
  void CreateDisplayActions();
  void CreateWindowActions();
  void CreateMenus();
  void CreateToolBar();
  void CreatePopupMenu();
  void CreateStatusBar();
  QAction* AddAction(const char* name, const QString& caption, const QString& hint,
                     const std::function<void()>& run);
  // A menu entry with a check mark, on at start; `apply` follows each change of it.
  QAction* AddToggle(const char* name, const QString& caption,
                     const std::function<void(bool)>& apply);
  QAction* Named(const char* name) const;
  void PlaceWindow();
  void ApplyLooks();

  // Files.
  void SetDocumentPath(const std::filesystem::path& path);
  bool LoadDocument(const std::filesystem::path& path);
  common::Answer ConfirmUnsaved(std::string_view title);
  bool SaveForPrompt();
  bool WriteDocument(const std::filesystem::path& path);
  bool FormCloseQuery();
  std::filesystem::path DocumentOnDisk();

  // Checks and pages.
  std::optional<std::string> TextInSjis();
  std::optional<common::NotationCheck> RunCheck(const std::string& text, std::size_t start,
                                                bool report_separators);
  void ShowFault(const common::NotationCheck& check);
  bool PassesCheckBeforeConversion(const std::string& text);
  bool HasPageToShow();
  void ShowPage(const std::filesystem::path& page);

  void ShowStatus(std::string_view pattern, const std::filesystem::path& path);
  void RefreshCaretDisplay();
  void StorePlacement();
  void Tell(std::string_view title, std::string text,
            common::Icon icon = common::Icon::kInformation);
  common::Messenger& Messenger() const { return *context_.messenger; }

  RubyWindowContext context_;
  std::unique_ptr<RubyWindowSession> own_session_;
  RubyWindowSession& session_;
  common::view::TextPane* pane_;
  std::unique_ptr<common::view::EditCommands> edit_;
  QToolBar* tool_bar_ = nullptr;
  QMenu* popup_ = nullptr;
  QLabel* caret_panel_ = nullptr;
  QLabel* file_panel_ = nullptr;
  QLabel* spare_panel_ = nullptr;

  std::filesystem::path document_path_;
  common::view::TextEncoding encoding_ = common::view::TextEncoding::kShiftJis;
  bool error_list_mode_ = false;
  bool check_before_conversions_ = true;
  bool ymi_available_ = false;
  bool field_flag_ = false;
  bool skip_close_query_ = false;
  bool closed_ = false;
};

}  // namespace rubywindow::view
