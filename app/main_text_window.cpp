// The main text window: its construction, its file names, the view commands, the hand-over to
// the ruby window and the close of the program. Its actions, menus and status bar, and what
// sets it apart from the other text windows, are in main_window_layout.cpp.
#include "app/main_text_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>
#include <algorithm>

#include "app/close_query.h"
#include "app/dictionary_commands/dictionary_commands.h"
#include "app/dictionary_indicator.h"
#include "app/edit_capacity_dialog.h"
#include "app/help.h"
#include "app/messages.h"
#include "app/ruby_commands/brace_escape_command.h"
#include "app/ruby_commands/ruby_commands.h"
#include "app/settings_keeper.h"
#include "app/version_dialog.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/view/caret_position.h"
#include "common/view/display_dialogs.h"
#include "common/view/edit_commands.h"
#include "common/view/qt_text.h"
#include "common/view/status_line.h"
#include "common/view/text_pane.h"
#include "common/view/sjis_codec.h"
#include "common/documents/recovery.h"
#include "rubywindow/view/browser_choice.h"
#include "rubywindow/view/ruby_window.h"
#include "rubywindow/view/ruby_window_context.h"
#include "rubywindow/view/ruby_window_session.h"

// Resources of a static library are linked in only when something names them.
static void InitAppResources() { Q_INIT_RESOURCE(app); }

namespace app {

namespace {

// The place the shrink command moves the window to.
constexpr int kShrunkTop = 100;
constexpr int kShrunkLeft = 100;

// The services with the guide opened from this window, for its dialogs and the windows it opens.
common::view::WindowServices WithHelp(common::view::WindowServices services,
                                      std::function<void()> open_help) {
  services.open_help = std::move(open_help);
  return services;
}

}  // namespace

MainTextWindow::MainTextWindow(const common::view::WindowServices& context, QWidget* parent)
    : TextWindow(WithHelp(context, [this] { HelpClick(); }), Traits(), parent),
      context_(Services()),
      settings_keeper_(
          new SettingsKeeper(*context.program, *context.settings, *context.messenger, this)),
      ruby_session_(std::make_unique<rubywindow::view::RubyWindowSession>()) {
  InitAppResources();
  setWindowIcon(QIcon(":/app/icons/mirukaze-256.png"));
  ruby_commands_ = std::make_unique<RubyCommands>(*this, RubyCommandServices{context_}, this);
  dictionary_commands_ = std::make_unique<DictionaryCommands>(
      *this, DictionaryCommandServices{context_, [this] { settings_keeper_->SaveChanges(); }},
      this);

  CreateActions();
  CreateDictionaryActions();
  CreateMenus();
  CreateStatusBar();

  SetCurrentFile(context_.program->Dir() / messages::kNewFileName);
  ApplyLooks(StoredLooks());
  // The indicator names the dictionaries the next pass will really use.
  dictionary_indicator_->setText(DictionaryIndicatorText(*context_.settings));
  Pane()->setFocus();
}

// The ruby window goes first: it is handed the session, which the members take with them.
MainTextWindow::~MainTextWindow() { delete ruby_window_.data(); }

QString MainTextWindow::TitleFor(const std::filesystem::path& path) const {
  return common::view::QStringOfUtf8(
      common::FormatMessage(messages::kMainWindowTitle, {path.string()}));
}

std::filesystem::path MainTextWindow::NewDocumentPath() const {
  return context_.settings->user_path / messages::kNewFileName;
}

// A text that has no file of its own yet is saved under a name the user gives.
std::optional<std::filesystem::path> MainTextWindow::OverwriteTarget() {
  const std::filesystem::path& file = DocumentPath();
  if (file.empty() || file.string().find(messages::kNewFileName) != std::string::npos) {
    return std::nullopt;
  }
  return file;
}

// Only the file name loses its extension: a dot in a folder name must not send the ruby file
// into the folder above (/texts/v1.2/story would otherwise give /texts/v1.srb).
void MainTextWindow::DocumentPathChanged() {
  base_name_ = common::WithoutExtension(DocumentPath());
}

QString MainTextWindow::StatusText(int panel) const {
  switch (panel) {
    case 0:
      return CaretPanel()->text();
    case 1:
      return FilePanel()->text();
    case 2:
      return progress_panel_->text();
    default:
      return {};
  }
}

QString MainTextWindow::Text() const { return Pane()->Text(); }

void MainTextWindow::ShowStatus(const QString& text) { FilePanel()->setText(text); }

QString MainTextWindow::SelectedText() const { return Pane()->SelectedText(); }

QString MainTextWindow::LineBeforeCaret() const {
  QTextCursor caret = Pane()->textCursor();
  return caret.block().text().left(caret.positionInBlock());
}

void MainTextWindow::MoveCaretToByte(std::size_t byte_offset) {
  Pane()->MoveCaretToByte(byte_offset);
  Pane()->setFocus();
  RefreshCaretDisplay();
}

int MainTextWindow::FileLineOfByte(std::size_t byte_offset) const {
  return Pane()->LogicalLineOfByte(byte_offset);
}

void MainTextWindow::ShowForSecondStart(const std::optional<std::filesystem::path>& file) {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  // In the middle of a dialog the user is busy with something else: the dialog is shown, and
  // the file waits for another start.
  if (QWidget* dialog = QApplication::activeModalWidget()) {
    dialog->raise();
    dialog->activateWindow();
    return;
  }
  if (file) OpenNamedFile(*file);
}

void MainTextWindow::RestoreUnsavedTexts(const std::vector<common::RecoveredText>& texts) {
  for (const common::RecoveredText& text : texts) {
    if (text.window == common::kMainTextCopy) {
      RestoreUnsaved(text);
    } else if (text.window == common::kRubyTextCopy) {
      if (rubywindow::view::RubyWindow* window = NewRubyWindow()) window->RestoreUnsaved(text);
    }
  }
  // A restored ruby window stays in front: it is the work a user was last correcting.
  if (ruby_window_ != nullptr) {
    ruby_window_->raise();
    ruby_window_->activateWindow();
  }
}

rubywindow::view::RubyWindow* MainTextWindow::RubyWindowIfOpen() const { return ruby_window_; }

bool MainTextWindow::RubyWindowOpen() const { return !ruby_window_.isNull(); }

void MainTextWindow::OpenRubyWindow(const std::filesystem::path& ruby_file, bool field_flag) {
  rubywindow::view::RubyWindow* window = NewRubyWindow();
  if (window == nullptr) return;
  window->OpenRubyFile(ruby_file, field_flag);
  window->activateWindow();
}

void MainTextWindow::AnnounceRubyFile(const std::filesystem::path& backup) {
  if (ruby_window_ != nullptr) ruby_window_->AnnounceWritten(backup);
}

// One ruby window at the most: a second one would escape the exit question, and its unsaved
// text with it. The commands refuse before they get here; this keeps any other caller from
// opening a second (nullptr, and the open one comes to the front).
rubywindow::view::RubyWindow* MainTextWindow::NewRubyWindow() {
  if (ruby_window_ != nullptr) {
    ruby_window_->raise();
    ruby_window_->activateWindow();
    return nullptr;
  }
  rubywindow::view::RubyWindowContext context{
      context_, ruby_session_.get(),
      common::view::EncodeSjisLossy(ruby_commands_->LineFieldSeparator()),
      &dictionary_commands_->Builds()};
  auto* window = new rubywindow::view::RubyWindow(context, this);
  ruby_window_ = window;
  // The flag drops as soon as the window has closed, before Qt gets round to deleting it.
  connect(window, &rubywindow::view::RubyWindow::Closed, this, [this, window] {
    if (ruby_window_ == window) ruby_window_ = nullptr;
    window->deleteLater();
  });
  window->show();
  return window;
}

// A ruby command holds the event loop until it ends; its progress marks mean nothing after it,
// except the last while the ruby window it opened still colours its groups (Esc stops that).
void MainTextWindow::RunRubyCommand(void (RubyCommands::*command)()) {
  (ruby_commands_.get()->*command)();
  if (ruby_window_ != nullptr && ruby_window_->EmphasisColouring()) {
    connect(
        ruby_window_, &rubywindow::view::RubyWindow::EmphasisColoured, this,
        [this] { ShowProgress({}); }, Qt::SingleShotConnection);
    return;
  }
  ShowProgress({});
}

void MainTextWindow::ShrinkClick() {
  const common::Settings& settings = *context_.settings;
  ShowStandardSize({kShrunkLeft, kShrunkTop});
  context_.messenger->Tell(
      {std::string(messages::kTitleShrink),
       common::FormatMessage(
           messages::kShrunk,
           {std::int64_t{kShrunkTop}, std::int64_t{kShrunkLeft},
            std::int64_t{settings.standard_height}, std::int64_t{settings.standard_width}}),
       common::Icon::kInformation});
}

void MainTextWindow::StandardSizeClick() {
  common::Settings& settings = *context_.settings;
  QSize monitor = screen() != nullptr ? screen()->geometry().size() : QSize();
  common::view::StandardSizeDialog dialog({settings.standard_width, settings.standard_height},
                                          size(), monitor, this);
  if (dialog.exec() != QDialog::Accepted) return;
  settings.standard_width = dialog.StandardSize().width();
  settings.standard_height = dialog.StandardSize().height();
}

void MainTextWindow::HelpClick() {
  std::filesystem::path shipped_dir =
      common::view::PathOfQString(QCoreApplication::applicationDirPath());
  std::optional<std::filesystem::path> page =
      HelpPageToShow(*context_.program, *context_.messenger, shipped_dir);
  if (!page) return;
  rubywindow::view::ShowInBrowser(*page, *context_.settings, *context_.choosers, *context_.starter,
                                  *context_.messenger, this);
}

void MainTextWindow::VersionClick() {
  VersionDialog dialog(this);
  dialog.exec();
}

void MainTextWindow::EditCapacityClick() {
  std::optional<int> extra = AskEditCapacity(this, context_.settings->edit_area_extra);
  if (extra) context_.settings->edit_area_extra = *extra;
}

void MainTextWindow::DictionaryIndicatorClick() {
  common::Settings& settings = *context_.settings;
  settings.dic_pattern = NextDictionaryPattern(settings.dic_pattern);
  dictionary_indicator_->setText(DictionaryIndicatorText(settings));
  settings_keeper_->SaveChanges();
}

// The text's own braces become look-alikes, as one edit the user can undo or save.
void MainTextWindow::T1Click() {
  std::optional<QString> escaped =
      EscapeBracesOf(Pane()->Text(), CurrentFile(), *context_.messenger);
  if (escaped && *escaped != Pane()->Text()) Pane()->ReplaceWholeText(*escaped);
}

// A pass holds the event loop until it ends, so the panel is painted at once, not afterwards.
void MainTextWindow::ShowProgress(const QString& text) {
  progress_panel_->setText(text);
  progress_panel_->repaint();
}

// Keys for the window itself, which reach it only when the text does not take them.
void MainTextWindow::keyPressEvent(QKeyEvent* event) {
  bool shift_only = event->modifiers() == Qt::ShiftModifier;
  bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (shift_only && event->key() == Qt::Key_D) {
    DictionaryIndicatorClick();
  } else if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier && enter) {
    ShrinkClick();
  } else {
    QMainWindow::keyPressEvent(event);
  }
}

// Every open text window with unsaved text is asked about, in a fixed order, before anything
// closes; each question stands over its own window, which comes to the front for it.
bool MainTextWindow::QueryClose() {
  if (!dictionary_commands_->MayClose()) return false;
  QList<common::view::TextWindow*> open =
      findChildren<common::view::TextWindow*>(Qt::FindDirectChildrenOnly);
  open.removeIf([](common::view::TextWindow* window) { return window->HasClosed(); });
  open.append(this);
  std::stable_sort(open.begin(), open.end(),
                   [](common::view::TextWindow* a, common::view::TextWindow* b) {
                     return a->CloseQueryRank() < b->CloseQueryRank();
                   });
  for (common::view::TextWindow* window : open) {
    if (!window->IsModified()) continue;
    window->raise();
    QApplication::setActiveWindow(window);
    if (!RunCloseQuery(
            {{window->CloseQueryFormat(), true, [window] { return window->SaveEdited(); }}},
            *context_.messenger)) {
      return false;
    }
  }
  return true;
}

// Only then do the other windows close; the places they leave reach the settings file.
void MainTextWindow::WindowClosing() {
  for (auto* window : findChildren<common::view::TextWindow*>(Qt::FindDirectChildrenOnly)) {
    window->CloseWithoutQuery();
  }
  settings_keeper_->SaveChanges();
}

}  // namespace app
