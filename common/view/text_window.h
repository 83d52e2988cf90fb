// The frame every text window of the program shares: one text pane with the common editing
// commands, the file commands (open, save, save as, the read-only question and the question
// about unsaved text), the window's looks and place kept in the settings, a caret and a file
// panel in the status bar, and actions, menus and toolbar built from tables. A window adds its
// own commands and says in data how it differs: captions, keys, messages and settings keys.
#pragma once

#include <QFont>
#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/messenger.h"
#include "common/settings/settings.h"
#include "common/view/edit_commands.h"
#include "common/view/text_file_io.h"
#include "common/view/window_services.h"

class QMenu;
class QTimer;
class QToolBar;

namespace common {
class ProgramStarter;
class RecoveryStore;
struct RecoveredText;
}  // namespace common

namespace speech::qt {
class SpeechControls;
}  // namespace speech::qt

namespace common::view {

class ApplicationMenu;
class Choosers;
class StatusLine;
enum class PrintOutcome;
struct SearchMemory;
class TextPane;

// The looks and place of one window, as one record.
struct WindowLooks {
  int top = 0;
  int left = 0;
  int height = 0;
  int width = 0;
  std::string font_name;  // Shift_JIS bytes, as the settings hold it
  int font_size = 0;
  int font_colour = 0;  // 0x00BBGGRR
  int edit_colour = 0;  // the edit area's background
  int tab_width = 0;    // in characters
};

// Where one window keeps its looks in the settings record.
struct WindowLooksKeys {
  int Settings::*top;
  int Settings::*left;
  int Settings::*height;
  int Settings::*width;
  std::string Settings::*font_name;
  int Settings::*font_size;
  int Settings::*font_colour;
  int Settings::*edit_colour;
  int Settings::*tab_width;
};

WindowLooks LooksOf(const Settings& settings, const WindowLooksKeys& keys);
// Writes back what a window can change: its place, font, colours and tab width.
void StoreLooks(Settings& settings, const WindowLooksKeys& keys, const WindowLooks& looks);

// A message box's title, text and icon, fixed for the window.
struct FixedMessage {
  std::string_view title;
  std::string_view text;
  Icon icon = Icon::kInformation;
};

// The order in which the program's exit question asks about its windows.
enum CloseQueryRank : int { kNnnWindowRank, kYmiWindowRank, kRubyWindowRank, kMainWindowRank };

// What a window's file commands say and show; `%s` stands for a path.
struct FileCommandTexts {
  std::string_view open_dialog_title;
  std::string_view save_dialog_title;
  std::string_view file_filter;  // "name (*.a)|*.A|..."
  std::string_view opened_status;
  std::string_view saved_status;
  FixedMessage not_edited;                  // Save with nothing changed
  FixedMessage nothing_to_save;             // Save As of an empty text
  FixedMessage read_only;                   // the question before writing over a read-only file
  FixedMessage read_only_kept;              // the file could not be made writable
  std::string_view unsaved_text;            // the question about unsaved text
  std::string_view unsaved_title;           // ... before New and Open
  std::string_view unsaved_on_close_title;  // ... when this window alone closes
  // When not empty, the question before New and Open in place of `unsaved_text`.
  std::string_view unsaved_before_open{};
  // When not empty, an overwrite save first shows the path it writes under this title.
  std::string_view save_path_title;
  // The program's exit question about this window ("…画面の%s", %s the unsaved text), and its
  // place among the windows asked: lower ranks are asked first.
  std::string_view close_query_format;
  int close_query_rank = 0;
};

// The rows every text window has under the same names, captions, keys and pictures: "newFile",
// "openFile", "saveFile", "saveAs", "closeWindow", "showToolBar", "wordWrap" and
// "standardSize". A window says which of them it has and what their hints say (none when empty).
struct StandardRows {
  bool has_new = true;
  bool has_close = true;
  std::string_view new_hint{};
  std::string_view open_hint{};
  std::string_view save_hint{};
  std::string_view save_as_hint{};
  std::string_view close_hint{};
  // The toolbar check mark's caption; empty: "ﾂｰﾙﾊﾞｰ表示(&B)".
  std::string_view tool_bar_caption{};
  // Where the standard size puts the window (Shift+Enter, which the text keeps as a line
  // break); none: the window has no such row.
  std::optional<QPoint> standard_place{};
};

// How one window differs from the others in data.
struct TextWindowTraits {
  WindowLooksKeys looks;
  FileCommandTexts files;
  StandardRows rows;
  int caret_panel_width = 0;
  int file_panel_width = 0;
  // Where the window keeps the files last opened or saved in it.
  std::array<std::filesystem::path, kRecentFiles> Settings::*recent_files = nullptr;
  // The name its unsaved text is kept under while it is edited; empty: none is kept.
  std::string_view unsaved_copy_name{};
};

// One row of a window's action table. A row with `toggled` is a check mark, on at start.
struct ActionRow {
  const char* name;    // the action's object name
  QString caption;     // the menu caption
  QKeySequence key{};  // none when empty
  // The keys under the desktop's usual scheme; without them the row keeps `key` there too.
  std::optional<QList<QKeySequence>> desktop_keys{};
  QString hint{};  // tooltip and status tip
  QIcon icon{};
  QString icon_text{};  // a toolbar button's short name when it has no picture
  std::function<void()> triggered{};
  std::function<void(bool)> toggled{};
  // The text keeps the key for itself (Shift+Enter as a line break); elsewhere in the window it
  // runs the command. Otherwise the key reaches the command even where the text has a binding.
  bool text_keeps_key = false;
};

// The name of the recent-files submenu in a menu table.
inline constexpr const char* kRecentFilesMenu = "recentFiles";

// A menu, toolbar or pop-up menu entry: the window's own action by name, or an editing command.
using MenuItem = std::variant<const char*, EditAction>;
// Entries in groups; a separator stands between two groups.
using MenuGroups = std::vector<std::vector<MenuItem>>;

class TextWindow : public QMainWindow {
  Q_OBJECT

 public:
  ~TextWindow() override;

  TextPane* Pane() const { return pane_; }
  EditCommands& Edit() const { return *edit_; }
  const std::filesystem::path& DocumentPath() const { return document_path_; }
  bool IsModified() const;

  // The file commands. Save writes over the document's file; false when it did not save (not
  // edited, declined or failed), after a message.
  void NewDocument();
  void OpenDocument();
  bool Save();
  bool SaveAs();
  // The save behind the unsaved-text questions: the text is edited, so no "not edited" notice.
  bool SaveEdited();
  // Loads `path` as the document; false after a message when it cannot.
  bool OpenDocumentFile(const std::filesystem::path& path);
  // Open for a file named from elsewhere (dropped on the window): the question about unsaved
  // text first, as Open asks it.
  void OpenNamedFile(const std::filesystem::path& path);

  // The program's exit question about this window.
  std::string_view CloseQueryFormat() const { return traits_.files.close_query_format; }
  int CloseQueryRank() const { return traits_.files.close_query_rank; }
  // Every window of the program that shares this window's settings changes to the keys of the
  // scheme chosen, and the choice is kept in the settings.
  void ChooseKeyScheme(bool desktop_keys);

  // Printing and the display settings (text_window_looks.cpp). Every window has their actions
  // ("printText", "printPreview", "printerSetup", "printMargins", "chooseFont",
  // "chooseTextColour", "chooseBackground", "chooseTabWidth") and puts them in its menus by
  // name. A change of font, colour or tab width goes to the settings at once and leaves the
  // modified flag as it was.
  void PrintDocument();
  // The pages as PrintDocument lays them out, in a preview from which they can be printed.
  void PreviewDocument();
  void ChoosePrintMargins();
  void ChooseEditorFont();
  void ChooseTextColour();
  void ChooseBackgroundColour();
  void ChooseTabWidth();

  // Text that a previous run left unsaved, back in the window as unsaved text of its document
  // (text_window_recovery.cpp).
  void RestoreUnsaved(const RecoveredText& recovered);

  // Read-aloud (text_window_speech.cpp): the selection, or the whole text, as SpokenText gives
  // it. Every window has the actions "readAloudAction", "pauseSpeechAction",
  // "stopSpeechAction" and "speechSettingsAction", disabled when the program has no speech.
  void ReadAloudClick();
  void PauseSpeechClick();
  void StopSpeechClick();
  void SpeechSettingsClick();

  // Closes without asking; the program's close query has asked already.
  void CloseWithoutQuery();
  bool HasClosed() const { return closed_; }

 signals:
  void Closed();  // once, when the window has closed

 protected:
  TextWindow(const WindowServices& services, const TextWindowTraits& traits, QWidget* parent);

  // The window title for a document at `path`.
  virtual QString TitleFor(const std::filesystem::path& path) const = 0;
  // Where New leaves the document.
  virtual std::filesystem::path NewDocumentPath() const = 0;
  // Where Save writes the document; nullopt asks for a name (Save As).
  virtual std::optional<std::filesystem::path> OverwriteTarget() = 0;
  // Called after the document's path has changed.
  virtual void DocumentPathChanged() {}
  // Called after a save the user chose (Save, Save As) has written the document; not after the
  // save that a question about unsaved text makes on the way to closing or opening.
  virtual void SavedByCommand() {}
  // Asked before the window closes; false keeps it open. By default the unsaved-text question.
  virtual bool QueryClose();
  // Called once the window may close, after its looks are back in the settings.
  virtual void WindowClosing() {}
  // What the help buttons of the window's dialogs do; without it they are left out.
  const std::function<void()>& HelpOpener() const { return services_.open_help; }
  // The text that Read hands to the speech service, asked only when it will be spoken; nullopt
  // after a message ends the command. By default the text as it stands.
  virtual std::optional<QString> SpokenText(const QString& text) { return text; }

  // The one place that changes the document's path and the window title.
  void SetDocumentPath(const std::filesystem::path& path);
  // Puts a file's text into the pane; false after a message when it cannot be read.
  bool LoadDocument(const std::filesystem::path& path);
  common::Answer ConfirmUnsaved(std::string_view title, std::string_view question = {});
  // The question about unsaved text before another text takes the pane's place; false on
  // Cancel.
  bool ClearedForOtherText();
  void ShowFileStatus(std::string_view pattern, const std::filesystem::path& path);
  void Tell(const FixedMessage& message, std::string text);

  // Actions, menus and bars from tables.
  void AddActions(const std::vector<ActionRow>& rows);
  QAction* Named(const char* name) const;
  QMenu* AddMenu(const QString& caption, const MenuGroups& groups);
  void FillMenu(QMenu* menu, const MenuGroups& groups);
  void CreateToolBar(const MenuGroups& groups);
  void CreatePopupMenu(const MenuGroups& groups);
  // Called as the pop-up menu opens at `at` (in the text's viewport), for entries that depend on
  // the place.
  virtual void PreparePopupMenu(QPoint at) { static_cast<void>(at); }
  // The menu "アプリケーション(&A)" after the others; a launch writes the text to the window's
  // file first, leaving the modified flag as it is, and says `refused` when the program does
  // not start.
  ApplicationMenu* AddApplicationMenu(const FixedMessage& refused);
  // The menu "音声(&K)", and the toolbar's group of 読 and the two 止.
  QMenu* AddSpeechMenu();
  static std::vector<MenuItem> SpeechButtons();
  QToolBar* ToolBar() const { return tool_bar_; }
  StatusLine* CaretPanel() const { return caret_panel_; }
  StatusLine* FilePanel() const { return file_panel_; }

  // The looks and place, from a record and back.
  void ApplyLooks(const WindowLooks& looks);
  WindowLooks StoredLooks() const { return LooksOf(*services_.settings, traits_.looks); }
  // The standard size at `place`, out of a maximised or minimised state.
  void ShowStandardSize(QPoint place);
  void RefreshCaretDisplay();
  void RefreshTitle();

  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

  Settings& WindowSettings() const { return *services_.settings; }
  Messenger& WindowMessenger() const { return *services_.messenger; }
  const WindowServices& Services() const { return services_; }

  // The form the document's file is saved in: as it was read, or as a new text's is.
  const UserEncoding& FileForm() const { return form_; }

 private:
  QAction* Item(const MenuItem& item) const;
  void RememberRecent(const std::filesystem::path& path);
  void FillRecentFilesMenu();
  bool ClearReadOnlyIfAsked(const std::filesystem::path& path);
  bool WriteDocument(const std::filesystem::path& path);
  void StoreCurrentLooks();
  void UseKeySchemeOfSettings();
  void AddStandardActions();
  void AddPrintAndLooksActions();
  void AddSpeechActions();
  QFont PrintFont() const;
  void TellPrintOutcome(PrintOutcome outcome);
  // The copy of unsaved text: written a moment after an edit, at most that often while the
  // user types, and taken away once the text is saved, discarded or closed.
  void KeepUnsavedCopies();
  void KeepUnsavedCopy();
  void DiscardUnsavedCopy();

  WindowServices services_;
  TextWindowTraits traits_;
  TextPane* pane_;
  EditCommands* edit_;
  QToolBar* tool_bar_ = nullptr;
  QMenu* popup_ = nullptr;
  QMenu* recent_menu_ = nullptr;
  StatusLine* caret_panel_ = nullptr;
  StatusLine* file_panel_ = nullptr;
  QTimer* unsaved_copy_timer_ = nullptr;
  bool unsaved_copy_failed_ = false;
  std::filesystem::path document_path_;
  UserEncoding form_;
  bool skip_close_query_ = false;
  bool closed_ = false;
};

}  // namespace common::view
