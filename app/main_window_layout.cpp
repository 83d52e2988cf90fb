// The main text window's actions, menus, toolbar, pop-up menu and status bar.
#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/dictionary_indicator.h"
#include "app/main_text_window.h"
#include "app/ruby_commands/ruby_commands.h"
#include "common/view/edit_commands.h"
#include "common/view/text_pane.h"

namespace app {

namespace {

using common::view::EditAction;

constexpr int kCaretPanelWidth = 220;
constexpr int kProgressPanelWidth = 60;

// Keys the editor would otherwise keep for itself (Ctrl+C is copy there, exit here).
const QKeySequence kExitKey(Qt::CTRL | Qt::Key_C);
const QKeySequence kOpenKey(Qt::CTRL | Qt::Key_O);
const QKeySequence kPopupEndKey(Qt::CTRL | Qt::Key_B);
const QKeySequence kNonRubyAreaKey(Qt::CTRL | Qt::Key_N);
const QKeySequence kBraceEscapeKey(Qt::SHIFT | Qt::Key_F5);

// A ruby command's toolbar button: its picture, and a hint on hover and in the status bar.
void ShowOnToolBar(QAction* action, const QString& hint, const char* icon) {
  action->setToolTip(hint);
  action->setStatusTip(hint);
  action->setIcon(QIcon(icon));
}

}  // namespace

QAction* MainTextWindow::AddAction(const char* object_name, const QString& caption,
                                   const QKeySequence& key) {
  auto* action = new QAction(caption, this);
  action->setObjectName(object_name);
  if (!key.isEmpty()) {
    action->setShortcut(key);
    pane_->ReserveShortcut(key);
  }
  addAction(action);  // the shortcut works whether or not a menu shows the action
  return action;
}

void MainTextWindow::CreateActions() {
  CreateFileActions();
  CreateViewActions();
}

void MainTextWindow::CreateFileActions() {
  new_action_ = AddAction("newAction", tr("新規作成(&N)"), {});
  new_action_->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
  open_action_ = AddAction("openAction", tr("開く(&O)..."), kOpenKey);
  open_action_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  save_action_ = AddAction("saveAction", tr("上書き保存(&S)"), {});
  save_action_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  save_as_action_ = AddAction("saveAsAction", tr("名前をつけて保存(&A)..."), {});
  save_as_action_->setIconText(tr("別名"));  // it has no picture: a short name for its button
  capacity_action_ = AddAction("capacityAction", tr("編集領域追加(&Z)"), {});
  exit_action_ = AddAction("exitAction", tr("終了(&X)"), kExitKey);
  popup_save_action_ = AddAction("popupSaveAction", tr("上書保存(&S)"), {});
  popup_end_action_ = AddAction("popupEndAction", tr("文末Jump(&Z)"), kPopupEndKey);
  connect(new_action_, &QAction::triggered, this, &MainTextWindow::NewClick);
  connect(open_action_, &QAction::triggered, this, &MainTextWindow::OpenClick);
  connect(save_action_, &QAction::triggered, this, &MainTextWindow::SaveClick);
  connect(popup_save_action_, &QAction::triggered, this, &MainTextWindow::SaveClick);
  connect(save_as_action_, &QAction::triggered, this, &MainTextWindow::SaveAsClick);
  connect(capacity_action_, &QAction::triggered, this, &MainTextWindow::EditCapacityClick);
  connect(exit_action_, &QAction::triggered, this, &QWidget::close);
  connect(popup_end_action_, &QAction::triggered, edit_, &common::view::EditCommands::GoToEnd);
}

void MainTextWindow::CreateViewActions() {
  toolbar_action_ = AddAction("toolbarAction", tr("ツールバー表示(&B)"), {});
  word_wrap_action_ = AddAction("wordWrapAction", tr("端で折り返す(&L)"), {});
  for (QAction* toggle : {toolbar_action_, word_wrap_action_}) {
    toggle->setCheckable(true);
    toggle->setChecked(true);
  }
  shrink_action_ = AddAction("shrinkAction", tr("画面既定値で表示(&G)"), {});
  shrink_action_->setIcon(QIcon(":/app/icons/shrink.png"));
  connect(toolbar_action_, &QAction::toggled, this, &MainTextWindow::ToolbarClick);
  connect(word_wrap_action_, &QAction::toggled, this, &MainTextWindow::WordWrapClick);
  connect(shrink_action_, &QAction::triggered, this, &MainTextWindow::ShrinkClick);

  help_action_ = AddAction("helpAction", tr("ヘルプを開く(&O)"), QKeySequence(Qt::Key_F1));
  help_search_action_ = AddAction("helpSearchAction", tr("トピック検索(&S)"), {});
  help_usage_action_ = AddAction("helpUsageAction", tr("ヘルプの使い方(&H)"), {});
  help_search_action_->setEnabled(false);  // the guide is one page: nothing to search in
  help_usage_action_->setEnabled(false);
  version_action_ = AddAction("versionAction", tr("バージョン情報(&A)"), {});
  connect(help_action_, &QAction::triggered, this, &MainTextWindow::HelpClick);
  connect(version_action_, &QAction::triggered, this, &MainTextWindow::VersionClick);
}

QAction* MainTextWindow::AddRubyAction(const char* object_name, const QString& caption,
                                       const QKeySequence& key, void (RubyCommands::*slot)()) {
  QAction* action = AddAction(object_name, caption, key);
  connect(action, &QAction::triggered, ruby_commands_.get(), slot);
  return action;
}

void MainTextWindow::CreateRubyActions() {
  all_ruby_action_ = AddRubyAction("allRubyAction", tr("総るび振り(&G)"), QKeySequence(Qt::Key_F5),
                                   &RubyCommands::AllRubiClick);
  ShowOnToolBar(all_ruby_action_, tr("全漢字に指定した辞書でルビを振る"),
                ":/app/icons/all_ruby.png");
  grade_ruby_action_ = AddRubyAction("gradeRubyAction", tr("配当学年るび(&N)"),
                                     QKeySequence(Qt::Key_F7), &RubyCommands::HaitouRubiClick);
  ShowOnToolBar(grade_ruby_action_, tr("指定した配当学年の漢字にﾙﾋﾞを振る"),
                ":/app/icons/grade_ruby.png");
  level_ruby_action_ =
      AddRubyAction("levelRubyAction", tr("漢検級るび(&K)"), QKeySequence(Qt::Key_F8),
                    &RubyCommands::KankenSpeedButtonClick);
  ShowOnToolBar(level_ruby_action_, tr("指定した漢検級の漢字にるびを振る"),
                ":/app/icons/level_ruby.png");
  line_ruby_action_ = AddRubyAction("lineRubyAction", tr("指定行＆フィールドるび(&L)"),
                                    QKeySequence(Qt::Key_F6), &RubyCommands::GyouSpeedButtonClick);
  ShowOnToolBar(line_ruby_action_, tr("指定行&ﾌｨｰﾙﾄﾞ にﾙﾋﾞを振る"), ":/app/icons/line_ruby.png");
  empty_ruby_window_action_ =
      AddRubyAction("emptyRubyWindowAction", tr("新規るび窓(&R)"), QKeySequence(Qt::Key_F3),
                    &RubyCommands::RbWButtonClick);
  non_ruby_area_action_ = AddRubyAction("nonRubyAreaAction", tr("非るび領域設定(&P)"), {},
                                        &RubyCommands::PassRubiAreaClick);
  brace_escape_action_ = AddAction("braceEscapeAction", tr("{ }を退避する(&T)"), kBraceEscapeKey);
  connect(brace_escape_action_, &QAction::triggered, this, &MainTextWindow::T1Click);
  CreatePopupRubyActions();
}

// The pop-up menu's entries run the same commands under captions of their own.
void MainTextWindow::CreatePopupRubyActions() {
  popup_all_ruby_action_ =
      AddRubyAction("popupAllRubyAction", tr("総るび振り(&G)"), {}, &RubyCommands::AllRubiClick);
  popup_grade_ruby_action_ = AddRubyAction("popupGradeRubyAction", tr("配当学年るび振り(&N)"), {},
                                           &RubyCommands::HaitouRubiClick);
  popup_level_ruby_action_ = AddRubyAction("popupLevelRubyAction", tr("漢検級るび振り(&K)"), {},
                                           &RubyCommands::KankenSpeedButtonClick);
  popup_line_ruby_action_ = AddRubyAction("popupLineRubyAction", tr("指定行＆ﾌｨｰﾙﾄﾞるび振り(&L)"),
                                          {}, &RubyCommands::GyouSpeedButtonClick);
  popup_non_ruby_area_action_ = AddRubyAction("popupNonRubyAreaAction", tr("非るび領域設定"),
                                              kNonRubyAreaKey, &RubyCommands::PassRubiAreaClick);
}

void MainTextWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(tr("ファイル(&F)"));
  file->addActions({new_action_, open_action_, save_action_, save_as_action_});
  file->addSeparator();
  file->addAction(capacity_action_);
  file->addSeparator();
  file->addAction(exit_action_);

  edit_menu_ = menuBar()->addMenu(tr("編集(&E)"));
  const std::initializer_list<std::initializer_list<EditAction>> groups = {
      {EditAction::kUndo},
      {EditAction::kCut, EditAction::kCopy, EditAction::kPaste, EditAction::kDelete},
      {EditAction::kSelectAll},
      {EditAction::kFind, EditAction::kFindDown, EditAction::kFindUp, EditAction::kReplace},
      {EditAction::kTakeSearch, EditAction::kTakeReplacement, EditAction::kClearStrings},
      {EditAction::kCommaToTab, EditAction::kTabToComma},
      {EditAction::kGoToStart, EditAction::kGoToEnd, EditAction::kJumpToLine}};
  for (const auto& group : groups) {
    if (!edit_menu_->isEmpty()) edit_menu_->addSeparator();
    for (EditAction id : group) edit_menu_->addAction(edit_->Action(id));
  }
  connect(edit_menu_, &QMenu::aboutToShow, edit_, &common::view::EditCommands::UpdateEnabled);

  QMenu* run = menuBar()->addMenu(tr("実行(&R)"));
  run->addActions({all_ruby_action_, grade_ruby_action_, level_ruby_action_, line_ruby_action_});
  run->addSeparator();
  run->addAction(empty_ruby_window_action_);
  run->addSeparator();
  run->addActions({non_ruby_area_action_, brace_escape_action_});

  QMenu* view = menuBar()->addMenu(tr("表示(&V)"));
  view->addActions({toolbar_action_, word_wrap_action_, shrink_action_});

  QMenu* help = menuBar()->addMenu(tr("ヘルプ(&H)"));
  help->addActions({help_action_, help_search_action_, help_usage_action_});
  help->addSeparator();
  help->addAction(version_action_);
}

void MainTextWindow::CreateToolBar() {
  tool_bar_ = addToolBar(tr("ツールバー"));
  tool_bar_->setObjectName("toolBar");
  tool_bar_->setMovable(false);

  // The ruby commands come right after the files: on a narrow window they stay in sight.
  tool_bar_->addActions({new_action_, open_action_, save_action_, save_as_action_});
  tool_bar_->addSeparator();
  tool_bar_->addActions(
      {all_ruby_action_, grade_ruby_action_, level_ruby_action_, line_ruby_action_});
  tool_bar_->addSeparator();
  for (EditAction id : {EditAction::kCut, EditAction::kCopy, EditAction::kPaste}) {
    tool_bar_->addAction(edit_->Action(id));
  }
  tool_bar_->addSeparator();
  for (EditAction id : {EditAction::kFind, EditAction::kReplace, EditAction::kTakeSearch,
                        EditAction::kTakeReplacement}) {
    tool_bar_->addAction(edit_->Action(id));
  }
  tool_bar_->addSeparator();
  for (EditAction id : {EditAction::kGoToStart, EditAction::kGoToEnd, EditAction::kJumpToLine}) {
    tool_bar_->addAction(edit_->Action(id));
  }
  tool_bar_->addSeparator();
  tool_bar_->addAction(shrink_action_);
}

void MainTextWindow::CreatePopupMenu() {
  popup_menu_ = new QMenu(this);
  popup_menu_->addActions({open_action_, popup_save_action_});
  popup_menu_->addSeparator();
  popup_menu_->addActions({popup_all_ruby_action_, popup_grade_ruby_action_,
                           popup_level_ruby_action_, popup_line_ruby_action_,
                           popup_non_ruby_area_action_});
  popup_menu_->addSeparator();
  for (EditAction id : {EditAction::kCut, EditAction::kCopy, EditAction::kPaste}) {
    popup_menu_->addAction(edit_->Action(id));
  }
  popup_menu_->addSeparator();
  popup_menu_->addActions({edit_->Action(EditAction::kGoToStart), popup_end_action_});
  popup_menu_->addSeparator();
  popup_menu_->addAction(exit_action_);
  pane_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(pane_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    edit_->UpdateEnabled();
    popup_menu_->exec(pane_->viewport()->mapToGlobal(at));
  });
}

void MainTextWindow::CreateStatusBar() {
  caret_panel_ = new QLabel(this);
  caret_panel_->setMinimumWidth(kCaretPanelWidth);
  file_panel_ = new QLabel(this);
  progress_panel_ = new QLabel(this);
  progress_panel_->setMinimumWidth(kProgressPanelWidth);
  dictionary_indicator_ = new ClickableLabel(this);
  dictionary_indicator_->setObjectName("dictionaryIndicator");
  dictionary_indicator_->setToolTip(tr("クリックすると使う辞書が切り替わります"));
  dictionary_indicator_->setCursor(Qt::PointingHandCursor);
  statusBar()->addWidget(caret_panel_);
  statusBar()->addWidget(file_panel_, 1);
  statusBar()->addWidget(progress_panel_);
  statusBar()->addPermanentWidget(dictionary_indicator_);
  connect(dictionary_indicator_, &ClickableLabel::clicked, this,
          &MainTextWindow::DictionaryIndicatorClick);
}

}  // namespace app
