// The ruby window's frame: its actions, menus, toolbar, pop-up menu and status bar, its place on
// the screen, and closing.
#include "rubywindow/view/ruby_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <vector>

#include "common/message_format.h"
#include "common/settings.h"
#include "common/view/caret_position.h"
#include "common/view/edit_commands.h"
#include "common/view/qt_text.h"
#include "common/view/text_pane.h"
#include "rubywindow/view/ruby_document.h"
#include "rubywindow/view/ruby_window_session.h"

namespace rubywindow::view {

namespace {

using common::view::EditAction;

// Status bar panels: caret position, the last open or save message, and a spare one.
constexpr int kCaretPanelWidth = 200;
constexpr int kFilePanelWidth = 350;
constexpr int kSparePanelWidth = 50;

constexpr int kStandardTop = 150;
constexpr int kStandardLeft = 150;

// The Edit menu in groups, with a separator between two groups.
const std::vector<std::vector<EditAction>> kEditMenu = {
    {EditAction::kUndo},
    {EditAction::kCut, EditAction::kCopy, EditAction::kPaste, EditAction::kDelete,
     EditAction::kSelectAll},
    {EditAction::kFind, EditAction::kFindDown, EditAction::kFindUp, EditAction::kReplace},
    {EditAction::kTakeSearch, EditAction::kTakeReplacement, EditAction::kClearStrings},
    {EditAction::kCommaToTab, EditAction::kTabToComma},
    {EditAction::kGoToStart, EditAction::kGoToEnd, EditAction::kJumpToLine},
};

const std::vector<EditAction> kEditToolBar = {
    EditAction::kCut,
    EditAction::kCopy,
    EditAction::kPaste,
    EditAction::kFind,
    EditAction::kReplace,
    EditAction::kTakeSearch,
    EditAction::kTakeReplacement,
    EditAction::kGoToStart,
    EditAction::kGoToEnd,
    EditAction::kJumpToLine,
};

}  // namespace

RubyWindow::RubyWindow(const RubyWindowContext& context, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      own_session_(context.session ? nullptr : std::make_unique<RubyWindowSession>()),
      session_(context.session ? *context.session : *own_session_),
      pane_(new common::view::TextPane(this)) {
  setCentralWidget(pane_);
  edit_ = std::make_unique<common::view::EditCommands>(pane_, *context_.search, Messenger(), this);
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreatePopupMenu();
  CreateStatusBar();
  PlaceWindow();
  ApplyLooks();
  connect(pane_, &common::view::TextPane::caretMoved, this, &RubyWindow::RefreshCaretDisplay);
  connect(pane_, &common::view::TextPane::displayLinesReady, this,
          &RubyWindow::RefreshCaretDisplay);
  SetDocumentPath(std::filesystem::path(std::string(kNewDocumentName)));
}

RubyWindow::~RubyWindow() = default;

QAction* RubyWindow::AddAction(const char* name, const QString& caption, const QString& hint,
                               const std::function<void()>& run) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) action->setToolTip(hint);
  connect(action, &QAction::triggered, this, run);
  return action;
}

QAction* RubyWindow::AddToggle(const char* name, const QString& caption,
                               const std::function<void(bool)>& apply) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  action->setCheckable(true);
  action->setChecked(true);
  connect(action, &QAction::toggled, this, apply);
  return action;
}

QAction* RubyWindow::Named(const char* name) const {
  return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void RubyWindow::CreateActions() {
  CreateFileActions();
  CreateDisplayActions();
  CreateWindowActions();
}

// The pictures are the main text window's, so a command looks the same in both windows.
void RubyWindow::CreateFileActions() {
  QAction* new_file =
      AddAction("newFile", tr("新規作成(&N)"), tr("新規作成する"), [this] { NewFile(); });
  new_file->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
  QAction* open = AddAction("openFile", tr("開く(&O)..."), tr("?RBファイルをオープンする"),
                            [this] { OpenFile(); });
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  open->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  QAction* save =
      AddAction("saveFile", tr("上書き保存(&S)"), tr("ﾙﾋﾞ(?RB)ﾌｧｲﾙを保存する"), [this] { Save(); });
  save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  QAction* save_as = AddAction("saveAs", tr("名前をつけて保存(&A)..."), tr("名前を付けて保存する"),
                               [this] { SaveAs(); });
  save_as->setIconText(tr("別名"));  // it has no picture: a short name for its button
  QAction* close_window =
      AddAction("closeWindow", tr("閉じる(&C)"), tr("このｳｨﾝﾄﾞｳを閉じる"), [this] { close(); });
  close_window->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  close_window->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  // Ctrl+C closes the window, as Ctrl+C ends the main window; copying is Ctrl+Ins.
  pane_->ReserveShortcut(close_window->shortcut());
}

void RubyWindow::CreateDisplayActions() {
  AddAction("browserRubyDisplay", tr("ブラウザるび表示(&D)"),
            tr("HTMLにして、ルビをブラウザ表示する"), [this] { BrowserRubyDisplay(); })
      ->setShortcut(QKeySequence(Qt::Key_F5));
  AddAction("htmlRubyDisplay", tr("HTMLるび表示(&H)"), tr("HTMLをそのままブラウザ表示する"),
            [this] { HtmlRubyDisplay(); })
      ->setShortcut(QKeySequence(Qt::Key_F6));
  AddAction("rubyFormatSettings", tr("ルビ書式設定(&S)"), QString(),
            [this] { RubyFormatSettings(); });
  AddAction("chooseBrowser", tr("ブラウザ選択(&B)"), QString(), [this] { ChooseBrowser(); });
  AddAction("notationTest", tr("形式ﾃｽﾄ(&T)"), tr("ルビ形式の不正をテストする"), [this] {
    NotationTest();
  })->setShortcut(QKeySequence(Qt::Key_F9));
}

void RubyWindow::CreateWindowActions() {
  AddToggle("showToolBar", tr("ﾂｰﾙﾊﾞｰ表示(&B)"), [this](bool on) { tool_bar_->setVisible(on); });
  AddToggle("wordWrap", tr("端で折り返す(&L)"), [this](bool on) { pane_->SetWordWrap(on); });
  // Shift+Enter in the text is a line break; elsewhere in the window it is this command.
  AddAction("standardSize", tr("画面規定値(&G)"), tr("画面規定値"), [this] {
    StandardSize();
  })->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Return));
}

void RubyWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(tr("ファイル(&F)"));
  file->addActions({Named("newFile"), Named("openFile"), Named("saveFile"), Named("saveAs")});
  file->addSeparator();
  file->addAction(Named("closeWindow"));

  QMenu* edit = menuBar()->addMenu(tr("編集(&E)"));
  for (const std::vector<EditAction>& group : kEditMenu) {
    if (!edit->isEmpty()) edit->addSeparator();
    for (EditAction id : group) edit->addAction(edit_->Action(id));
  }
  connect(edit, &QMenu::aboutToShow, edit_.get(), &common::view::EditCommands::UpdateEnabled);

  QMenu* display = menuBar()->addMenu(tr("るび表示(&D)"));
  display->addActions({Named("browserRubyDisplay"), Named("htmlRubyDisplay")});
  display->addSeparator();
  display->addActions({Named("rubyFormatSettings"), Named("chooseBrowser")});

  QMenu* tools = menuBar()->addMenu(tr("補助(&H)"));
  tools->addAction(Named("notationTest"));

  QMenu* window = menuBar()->addMenu(tr("画面(&W)"));
  window->addActions({Named("showToolBar"), Named("wordWrap"), Named("standardSize")});
}

void RubyWindow::CreateToolBar() {
  tool_bar_ = addToolBar(tr("ツールバー"));
  tool_bar_->setObjectName(QStringLiteral("toolBar"));
  tool_bar_->setMovable(false);
  tool_bar_->addActions({Named("newFile"), Named("openFile"), Named("saveFile"), Named("saveAs"),
                         Named("closeWindow")});
  tool_bar_->addSeparator();
  for (EditAction id : kEditToolBar) tool_bar_->addAction(edit_->Action(id));
  tool_bar_->addSeparator();
  tool_bar_->addActions(
      {Named("browserRubyDisplay"), Named("htmlRubyDisplay"), Named("notationTest")});
  tool_bar_->addSeparator();
  tool_bar_->addAction(Named("standardSize"));
}

// The pop-up menu has captions of its own for the same commands.
void RubyWindow::CreatePopupMenu() {
  popup_ = new QMenu(this);
  popup_->addAction(tr("開く(&O)"), this, &RubyWindow::OpenFile);
  popup_->addAction(tr("上書き保存(&S)"), this, &RubyWindow::SaveAs);  // asks for the name
  popup_->addAction(tr("閉じる(&C)"), this, &QWidget::close);
  popup_->addSeparator();
  popup_->addAction(tr("るび表示(&D)"), this, &RubyWindow::BrowserRubyDisplay);
  popup_->addAction(tr("HTML表示(&H)"), this, &RubyWindow::HtmlRubyDisplay);
  popup_->addAction(tr("形式ﾃｽﾄ(&T)"), this, &RubyWindow::NotationTest);
  pane_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(pane_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { popup_->exec(pane_->mapToGlobal(at)); });
}

void RubyWindow::CreateStatusBar() {
  caret_panel_ = new QLabel(this);
  file_panel_ = new QLabel(this);
  spare_panel_ = new QLabel(this);
  caret_panel_->setObjectName(QStringLiteral("caretPanel"));
  file_panel_->setObjectName(QStringLiteral("filePanel"));
  caret_panel_->setMinimumWidth(kCaretPanelWidth);
  file_panel_->setMinimumWidth(kFilePanelWidth);
  spare_panel_->setMinimumWidth(kSparePanelWidth);
  statusBar()->addWidget(caret_panel_);
  statusBar()->addWidget(file_panel_, 1);
  statusBar()->addWidget(spare_panel_);
}

void RubyWindow::PlaceWindow() {
  WindowPlace place = RubyWindowPlace(*context_.settings);
  move(place.left, place.top);
  resize(place.width, place.height);
}

void RubyWindow::ApplyLooks() {
  const common::Settings& settings = *context_.settings;
  pane_->SetEditorFont(settings.ruby_font_name, settings.ruby_font_size);
  pane_->SetTextColour(settings.ruby_font_color);
  pane_->SetBackgroundColour(settings.ruby_edit_color);
  pane_->SetTabStopChars(settings.ruby_tab_width);
}

void RubyWindow::StandardSize() {
  showNormal();
  move(kStandardLeft, kStandardTop);
  resize(context_.settings->standard_width, context_.settings->standard_height);
}

void RubyWindow::RefreshCaretDisplay() {
  caret_panel_->setText(common::view::CaretPositionTextOf(*pane_));
}

void RubyWindow::ShowStatus(std::string_view pattern, const std::filesystem::path& path) {
  file_panel_->setText(
      common::view::QStringOfUtf8(common::FormatMessage(pattern, {path.string()})));
}

void RubyWindow::Tell(std::string_view title, std::string text, common::Icon icon) {
  Messenger().Tell({std::string(title), std::move(text), icon});
}

void RubyWindow::StorePlacement() {
  common::Settings& settings = *context_.settings;
  // A maximised window keeps the place it returns to.
  QRect place = isMaximized() || isMinimized() ? normalGeometry() : QRect(pos(), size());
  settings.ruby_top = place.top();
  settings.ruby_left = place.left();
  settings.ruby_height = place.height();
  settings.ruby_width = place.width();
}

void RubyWindow::CloseWithoutQuery() {
  skip_close_query_ = true;
  close();
}

void RubyWindow::closeEvent(QCloseEvent* event) {
  if (!skip_close_query_ && !FormCloseQuery()) {
    event->ignore();
    return;
  }
  StorePlacement();
  event->accept();
  if (!closed_) {
    closed_ = true;
    emit Closed();
  }
}

}  // namespace rubywindow::view
