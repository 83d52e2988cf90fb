// The main text window's actions, menus, toolbar, pop-up menu and status bar, and what sets it
// apart from the other text windows: its messages, captions, keys and settings keys.
#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include "app/dictionary_indicator.h"
#include "app/main_text_window.h"
#include "app/messages.h"
#include "app/ruby_commands/ruby_commands.h"
#include "common/documents/recovery.h"
#include "common/view/edit_commands.h"
#include "common/view/status_line.h"
#include "common/view/text_pane.h"
#include "rubywindow/view/ruby_repair_dialog.h"

namespace app {

namespace {

using common::view::EditAction;
using common::view::MenuGroups;

constexpr int kCaretPanelWidth = 220;
constexpr int kProgressPanelWidth = 60;

}  // namespace

const common::view::TextWindowTraits& MainTextWindow::Traits() {
  using common::Settings;
  static const common::view::TextWindowTraits traits{
      .looks = {&Settings::main_top, &Settings::main_left, &Settings::main_height,
                &Settings::main_width, &Settings::main_font_name, &Settings::main_font_size,
                &Settings::main_font_color, &Settings::main_edit_color, &Settings::main_tab_width},
      .files =
          {
              .open_dialog_title = messages::kOpenDialogTitle,
              .save_dialog_title = messages::kSaveDialogTitle,
              .file_filter = messages::kTextFileFilter,
              .opened_status = messages::kOpenedStatus,
              .saved_status = messages::kSavedStatus,
              .not_edited = {messages::kTitleNotice, messages::kNotEdited},
              .nothing_to_save = {messages::kTitleNotice, messages::kNothingToSave},
              .read_only = {messages::kTitleConfirmStrong, messages::kReadOnlyFile,
                            common::Icon::kQuestion},
              .read_only_kept = {messages::kTitleConfirmStrong, messages::kReadOnlyNotCleared},
              .unsaved_text = messages::kUnsavedText,
              .unsaved_title = messages::kTitleConfirm,
              .unsaved_on_close_title = messages::kTitleCloseQuery,
              .save_path_title = {},
              .close_query_format = messages::kCloseQueryMain,
              .close_query_rank = common::view::kMainWindowRank,
          },
      .rows = {.has_close = false, .tool_bar_caption = "ツールバー表示(&B)"},
      .caret_panel_width = kCaretPanelWidth,
      .file_panel_width = 0,
      .recent_files = &Settings::main_recent_files,
      .unsaved_copy_name = common::kMainTextCopy,
  };
  return traits;
}

// Ctrl+C copies under either set of keys; under the desktop's Ctrl+Q ends the program. Ctrl+W
// is the duplicate check under either, so the window has no Close. The ruby commands' toolbar
// buttons carry a picture and a hint.
void MainTextWindow::CreateActions() {
  using K = QKeySequence;
  auto ruby = [this](void (RubyCommands::*command)()) {
    return [this, command] { RunRubyCommand(command); };
  };
  AddActions({
      {.name = "capacityAction",
       .caption = tr("編集領域追加(&Z)"),
       .triggered = [this] { EditCapacityClick(); }},
      {.name = "exitAction",
       .caption = tr("終了(&X)"),
       .desktop_keys = {{K(Qt::CTRL | Qt::Key_Q)}},
       .triggered = [this] { close(); }},
      {.name = "popupSaveAction", .caption = tr("上書保存(&S)"), .triggered = [this] { Save(); }},
      {.name = "popupEndAction",
       .caption = tr("文末Jump(&Z)"),
       .key = K(Qt::CTRL | Qt::Key_B),
       .triggered = [this] { Edit().GoToEnd(); }},

      {.name = "standardSizeSettings",
       .caption = tr("画面既定値を設定(&N)"),
       .triggered = [this] { StandardSizeClick(); }},
      {.name = "shrinkAction",
       .caption = tr("画面既定値で表示(&G)"),
       .icon = QIcon(":/app/icons/shrink.png"),
       .triggered = [this] { ShrinkClick(); }},
      {.name = "emphasisSettingsAction",
       .caption = tr("るび部強調表示設定(&M)"),
       .triggered =
           [this] {
             rubywindow::view::EmphasisSettingsDialog dialog(*context_.settings, this);
             dialog.exec();
           }},
      {.name = "helpAction",
       .caption = tr("ヘルプを開く(&O)"),
       .key = K(Qt::Key_F1),
       .triggered = [this] { HelpClick(); }},
      {.name = "helpSearchAction", .caption = tr("トピック検索(&S)")},
      {.name = "helpUsageAction", .caption = tr("ヘルプの使い方(&H)")},
      {.name = "versionAction",
       .caption = tr("バージョン情報(&A)"),
       .triggered = [this] { VersionClick(); }},

      {.name = "allRubyAction",
       .caption = tr("総るび振り(&G)"),
       .key = K(Qt::Key_F5),
       .hint = tr("全漢字に指定した辞書でルビを振る"),
       .icon = QIcon(":/app/icons/all_ruby.png"),
       .triggered = ruby(&RubyCommands::AllRubiClick)},
      {.name = "gradeRubyAction",
       .caption = tr("配当学年るび(&N)"),
       .key = K(Qt::Key_F7),
       .hint = tr("指定した配当学年の漢字にﾙﾋﾞを振る"),
       .icon = QIcon(":/app/icons/grade_ruby.png"),
       .triggered = ruby(&RubyCommands::HaitouRubiClick)},
      {.name = "levelRubyAction",
       .caption = tr("漢検級るび(&K)"),
       .key = K(Qt::Key_F8),
       .hint = tr("指定した漢検級の漢字にるびを振る"),
       .icon = QIcon(":/app/icons/level_ruby.png"),
       .triggered = ruby(&RubyCommands::KankenSpeedButtonClick)},
      {.name = "lineRubyAction",
       .caption = tr("指定行＆フィールドるび(&L)"),
       .key = K(Qt::Key_F6),
       .hint = tr("指定行&ﾌｨｰﾙﾄﾞ にﾙﾋﾞを振る"),
       .icon = QIcon(":/app/icons/line_ruby.png"),
       .triggered = ruby(&RubyCommands::GyouSpeedButtonClick)},
      {.name = "emptyRubyWindowAction",
       .caption = tr("新規るび窓(&R)"),
       .key = K(Qt::Key_F3),
       .triggered = ruby(&RubyCommands::RbWButtonClick)},
      {.name = "nonRubyAreaAction",
       .caption = tr("非るび領域設定(&P)"),
       .triggered = ruby(&RubyCommands::PassRubiAreaClick)},
      {.name = "braceEscapeAction",
       .caption = tr("{ }を退避する(&T)"),
       .key = K(Qt::SHIFT | Qt::Key_F5),
       .triggered = [this] { T1Click(); }},

      // The pop-up menu's entries run the same commands under captions of their own.
      {.name = "popupAllRubyAction",
       .caption = tr("総るび振り(&G)"),
       .triggered = ruby(&RubyCommands::AllRubiClick)},
      {.name = "popupGradeRubyAction",
       .caption = tr("配当学年るび振り(&N)"),
       .triggered = ruby(&RubyCommands::HaitouRubiClick)},
      {.name = "popupLevelRubyAction",
       .caption = tr("漢検級るび振り(&K)"),
       .triggered = ruby(&RubyCommands::KankenSpeedButtonClick)},
      {.name = "popupLineRubyAction",
       .caption = tr("指定行＆ﾌｨｰﾙﾄﾞるび振り(&L)"),
       .triggered = ruby(&RubyCommands::GyouSpeedButtonClick)},
      {.name = "popupNonRubyAreaAction",
       .caption = tr("非るび領域設定"),
       .key = K(Qt::CTRL | Qt::Key_N),
       .triggered = ruby(&RubyCommands::PassRubiAreaClick)},
  });
  // The guide is one page: nothing to search in.
  Named("helpSearchAction")->setEnabled(false);
  Named("helpUsageAction")->setEnabled(false);
}

void MainTextWindow::CreateMenus() {
  AddMenu(tr("ファイル(&F)"), {{"newFile", "openFile", "saveFile", "saveAs"},
                               {common::view::kRecentFilesMenu},
                               {"capacityAction"},
                               {"printText", "printPreview", "printerSetup", "printMargins"},
                               {"exitAction"}});
  AddMenu(tr("編集(&E)"),
          {{EditAction::kUndo, EditAction::kRedo},
           {EditAction::kCut, EditAction::kCopy, EditAction::kPaste, EditAction::kDelete},
           {EditAction::kSelectAll},
           {EditAction::kFind, EditAction::kFindDown, EditAction::kFindUp, EditAction::kReplace},
           {EditAction::kTakeSearch, EditAction::kTakeReplacement, EditAction::kClearStrings},
           {EditAction::kCommaToTab, EditAction::kTabToComma},
           {EditAction::kGoToStart, EditAction::kGoToEnd, EditAction::kJumpToLine}});
  AddMenu(tr("実行(&R)"),
          {{"allRubyAction", "gradeRubyAction", "levelRubyAction", "lineRubyAction"},
           {"emptyRubyWindowAction"},
           {"nonRubyAreaAction", "braceEscapeAction"},
           {"dictionarySelectAction", "readInContextAction"}});
  AddMenu(tr("辞書作成(&D)"),
          {{"dictionarySourceAction", "dictionaryBuildAction", "buildReportAction"},
           {"restoreSourceAction"},
           {"sortSourceAction", "duplicateCheckAction"},
           {"dictionarySelectAction"}})
      ->menuAction()
      ->setStatusTip(tr("ﾕｰｻﾞｰ辞書を作成する"));
  AddMenu(tr("表示(&V)"), {{"showToolBar", "wordWrap", "shrinkAction"},
                           {"chooseFont", "chooseTextColour", "chooseBackground", "chooseTabWidth",
                            "standardSizeSettings"},
                           {"emphasisSettingsAction"},
                           {"desktopKeys"}});
  AddSpeechMenu();
  AddApplicationMenu({messages::kTitleApplicationRefused, messages::kApplicationRefused});
  AddMenu(tr("ヘルプ(&H)"),
          {{"helpAction", "helpSearchAction", "helpUsageAction"}, {"versionAction"}});

  // The ruby commands come right after the files: on a narrow window they stay in sight.
  CreateToolBar({{"newFile", "openFile", "saveFile", "saveAs"},
                 {"allRubyAction", "gradeRubyAction", "levelRubyAction", "lineRubyAction"},
                 {EditAction::kCut, EditAction::kCopy, EditAction::kPaste},
                 {EditAction::kFind, EditAction::kFindDown, EditAction::kFindUp,
                  EditAction::kReplace, EditAction::kTakeSearch, EditAction::kTakeReplacement},
                 {EditAction::kGoToStart, EditAction::kGoToEnd, EditAction::kJumpToLine},
                 {"shrinkAction"},
                 SpeechButtons()});
  CreatePopupMenu({{"openFile", "popupSaveAction"},
                   {"popupAllRubyAction", "popupGradeRubyAction", "popupLevelRubyAction",
                    "popupLineRubyAction", "popupNonRubyAreaAction"},
                   {EditAction::kCut, EditAction::kCopy, EditAction::kPaste},
                   {EditAction::kGoToStart, "popupEndAction"},
                   {"exitAction"}});
}

void MainTextWindow::CreateStatusBar() {
  progress_panel_ = new common::view::StatusLine(this);
  progress_panel_->setMinimumWidth(kProgressPanelWidth);
  dictionary_indicator_ = new ClickableLabel(this);
  dictionary_indicator_->setObjectName("dictionaryIndicator");
  dictionary_indicator_->setToolTip(tr("クリックすると使う辞書が切り替わります"));
  dictionary_indicator_->setCursor(Qt::PointingHandCursor);
  statusBar()->addWidget(progress_panel_);
  statusBar()->addPermanentWidget(dictionary_indicator_);
  connect(dictionary_indicator_, &ClickableLabel::clicked, this,
          &MainTextWindow::DictionaryIndicatorClick);
}

}  // namespace app
