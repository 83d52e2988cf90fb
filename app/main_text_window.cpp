// The main text window: its construction, the view commands, the hand-over to the ruby window
// and the close of the program. Menus and bars are made in main_window_layout.cpp, the file
// commands are in main_window_files.cpp.
#include "app/main_text_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>

#include "app/close_query.h"
#include "app/dictionary_indicator.h"
#include "app/edit_capacity_dialog.h"
#include "app/help.h"
#include "app/messages.h"
#include "app/ruby_commands/brace_escape_command.h"
#include "app/ruby_commands/ruby_commands.h"
#include "app/version_dialog.h"
#include "common/message_format.h"
#include "common/view/caret_position.h"
#include "common/view/edit_commands.h"
#include "common/view/qt_text.h"
#include "common/view/text_pane.h"
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

}  // namespace

MainTextWindow::MainTextWindow(const MainWindowContext& context, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      ruby_session_(std::make_unique<rubywindow::view::RubyWindowSession>()) {
  InitAppResources();
  setWindowIcon(QIcon(":/app/icons/mirukaze-256.png"));
  pane_ = new common::view::TextPane(this);
  setCentralWidget(pane_);
  edit_ = new common::view::EditCommands(pane_, *context_.search, *context_.messenger, this);
  RubyCommandServices services{context_.settings, context_.program, context_.messenger,
                               context_.work_dir, [this] { HelpClick(); }};
  ruby_commands_ = std::make_unique<RubyCommands>(*this, services, this);

  CreateActions();
  CreateRubyActions();
  CreateMenus();
  CreateToolBar();
  CreatePopupMenu();
  CreateStatusBar();
  connect(pane_, &common::view::TextPane::caretMoved, this, &MainTextWindow::UpdateCaretDisplay);
  connect(pane_, &common::view::TextPane::displayLinesReady, this,
          &MainTextWindow::UpdateCaretDisplay);

  SetCurrentFile(context_.program->Dir() / messages::kNewFileName);
  ApplySettings();
  pane_->setFocus();
}

// The ruby window goes first: it is handed the session, which the members take with them.
MainTextWindow::~MainTextWindow() { delete ruby_window_.data(); }

// The places, looks and dictionary indicator from the settings record.
void MainTextWindow::ApplySettings() {
  const common::Settings& settings = *context_.settings;
  move(settings.main_left, settings.main_top);
  resize(settings.main_width, settings.main_height);
  pane_->SetEditorFont(settings.main_font_name, settings.main_font_size);
  pane_->SetTextColour(settings.main_font_color);
  pane_->SetBackgroundColour(settings.main_edit_color);
  pane_->SetTabStopChars(settings.main_tab_width);
  pane_->SetWordWrap(word_wrap_action_->isChecked());
  // The indicator names the dictionaries the next pass will really use.
  dictionary_indicator_->setText(DictionaryIndicatorText(settings));
}

// The window's final place and looks go back into the record before it is saved.
void MainTextWindow::StoreSettings() {
  common::Settings& settings = *context_.settings;
  bool normal = !isMaximized() && !isMinimized() && !isFullScreen();
  QPoint place = normal ? pos() : normalGeometry().topLeft();
  QSize size = normal ? this->size() : normalGeometry().size();
  settings.main_top = place.y();
  settings.main_left = place.x();
  settings.main_height = size.height();
  settings.main_width = size.width();
  settings.main_font_name = pane_->EditorFontNameSjis();
  settings.main_font_size = pane_->EditorFontSize();
  settings.main_font_color = pane_->TextColour();
  settings.main_edit_color = pane_->BackgroundColour();
}

QString MainTextWindow::StatusText(int panel) const {
  switch (panel) {
    case 0:
      return caret_panel_->text();
    case 1:
      return file_panel_->text();
    case 2:
      return progress_panel_->text();
    default:
      return {};
  }
}

QString MainTextWindow::Text() const { return pane_->Text(); }

QString MainTextWindow::SelectedText() const { return pane_->SelectedText(); }

QString MainTextWindow::LineBeforeCaret() const {
  QTextCursor caret = pane_->textCursor();
  return caret.block().text().left(caret.positionInBlock());
}

void MainTextWindow::MoveCaretToByte(std::size_t byte_offset) {
  pane_->MoveCaretToByte(byte_offset);
  pane_->setFocus();
  UpdateCaretDisplay();
}

int MainTextWindow::DisplayLineOfByte(std::size_t byte_offset) const {
  return pane_->DisplayLineOfByte(byte_offset);
}

rubywindow::view::RubyWindow* MainTextWindow::RubyWindowIfOpen() const { return ruby_window_; }

bool MainTextWindow::RubyWindowOpen() const { return !ruby_window_.isNull(); }

void MainTextWindow::OpenRubyWindow(const std::filesystem::path& ruby_file, bool field_flag) {
  // One ruby window at the most: a second one would escape the exit question, and its unsaved
  // text with it. The ruby commands refuse before they get here; this keeps any other caller
  // from opening a second.
  if (ruby_window_ != nullptr) {
    ruby_window_->raise();
    ruby_window_->activateWindow();
    return;
  }
  rubywindow::view::RubyWindowContext context;
  context.settings = context_.settings;
  context.program = context_.program;
  context.messenger = context_.messenger;
  context.choosers = context_.choosers;
  context.search = context_.search;
  context.starter = context_.starter;
  context.session = ruby_session_.get();
  auto* window = new rubywindow::view::RubyWindow(context, this);
  ruby_window_ = window;
  // The flag drops as soon as the window has closed, before Qt gets round to deleting it.
  connect(window, &rubywindow::view::RubyWindow::Closed, this, [this, window] {
    if (ruby_window_ == window) ruby_window_ = nullptr;
    window->deleteLater();
  });
  window->show();
  window->OpenRubyFile(ruby_file, field_flag);
  window->activateWindow();
}

void MainTextWindow::ToolbarClick(bool shown) { tool_bar_->setVisible(shown); }

void MainTextWindow::WordWrapClick(bool on) { pane_->SetWordWrap(on); }

void MainTextWindow::ShrinkClick() {
  const common::Settings& settings = *context_.settings;
  showNormal();
  move(kShrunkLeft, kShrunkTop);
  resize(settings.standard_width, settings.standard_height);
  Tell(
      messages::kTitleShrink,
      common::FormatMessage(messages::kShrunk, {std::int64_t{kShrunkTop}, std::int64_t{kShrunkLeft},
                                                std::int64_t{settings.standard_height},
                                                std::int64_t{settings.standard_width}}));
}

void MainTextWindow::HelpClick() {
  std::filesystem::path shipped_dir =
      common::view::PathOfQString(QCoreApplication::applicationDirPath());
  rubywindow::view::LaunchWithStoredBrowser(
      *context_.settings, *context_.choosers, this,
      [&](std::string& browser, rubywindow::BrowserPicker& picker) {
        OpenHelp(*context_.program, browser, *context_.starter, picker, *context_.messenger,
                 shipped_dir);
      });
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
}

// The text's own braces become look-alikes, as one edit the user can undo or save.
void MainTextWindow::T1Click() {
  std::optional<QString> escaped = EscapeBracesOf(pane_->Text(), *context_.messenger);
  if (escaped && *escaped != pane_->Text()) pane_->ReplaceWholeText(*escaped);
}

// A pass holds the event loop until it ends, so the panel is painted at once, not afterwards.
void MainTextWindow::ShowProgress(const QString& text) {
  progress_panel_->setText(text);
  progress_panel_->repaint();
}

void MainTextWindow::UpdateCaretDisplay() {
  caret_panel_->setText(common::view::CaretPositionTextOf(*pane_));
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

// Every window with unsaved text is asked about first; only then do the other windows close
// and the settings reach the disk, once.
void MainTextWindow::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  if (ruby_window_) ruby_window_->CloseWithoutQuery();
  StoreSettings();
  if (!common::SaveSettings(context_.program->Dir(), *context_.settings)) {
    Tell(messages::kTitleNotice,
         common::FormatMessage(messages::kSettingsNotSaved,
                               {context_.program->SettingsFile().string()}));
  }
  event->accept();
}

bool MainTextWindow::FormCloseQuery() {
  std::vector<UnsavedWindowQuestion> windows;
  if (rubywindow::view::RubyWindow* ruby = ruby_window_) {
    windows.push_back(
        {messages::kCloseQueryRuby, ruby->IsModified(), [ruby] { return ruby->Save(); }});
  }
  windows.push_back(
      {messages::kCloseQueryMain, pane_->IsModified(), [this] { return SaveClick(); }});
  return RunCloseQuery(windows, *context_.messenger);
}

void MainTextWindow::Tell(std::string_view title, const std::string& text) {
  context_.messenger->Tell({std::string(title), text, common::Icon::kInformation});
}

}  // namespace app
