// The ruby window's frame: its actions, menus, toolbar, pop-up menu and status bar, and what sets
// it apart from the other text windows: its messages, captions, keys and settings keys.
#include "rubywindow/view/ruby_window.h"

#include <QAction>
#include <QStatusBar>

#include "common/documents/recovery.h"
#include "common/settings/settings.h"
#include "common/view/status_line.h"
#include "common/view/text_pane.h"
#include "rubywindow/view/messages.h"
#include "rubywindow/view/ruby_document.h"
#include "rubywindow/view/ruby_emphasis.h"
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

}  // namespace

const common::view::TextWindowTraits& RubyWindow::Traits() {
  using common::Settings;
  static const common::view::TextWindowTraits traits{
      .looks = {&Settings::ruby_top, &Settings::ruby_left, &Settings::ruby_height,
                &Settings::ruby_width, &Settings::ruby_font_name, &Settings::ruby_font_size,
                &Settings::ruby_font_color, &Settings::ruby_edit_color, &Settings::ruby_tab_width},
      .files =
          {
              .open_dialog_title = messages::kOpenDialogTitle,
              .save_dialog_title = messages::kSaveDialogTitle,
              .file_filter = messages::kOpenDialogFilter,
              .opened_status = messages::kOpenedStatus,
              .saved_status = messages::kSavedStatus,
              .not_edited = {messages::kTitleNotEdited, messages::kNotEdited},
              .nothing_to_save = {messages::kTitleNothingToSave, messages::kNothingToSave,
                                  common::Icon::kWarning},
              .read_only = {messages::kTitleReadOnly, messages::kReadOnlyFile,
                            common::Icon::kQuestion},
              .read_only_kept = {messages::kTitleReadOnly, messages::kReadOnlyNotCleared,
                                 common::Icon::kWarning},
              .unsaved_text = messages::kUnsavedText,
              .unsaved_title = messages::kTitleUnsaved,
              .unsaved_on_close_title = messages::kTitleUnsavedOnClose,
              .save_path_title = messages::kTitleSaveFile,
              .close_query_format = messages::kCloseQuery,
              .close_query_rank = common::view::kRubyWindowRank,
          },
      .rows =
          {
              .new_hint = "新規作成する",
              .open_hint = "?RBファイルをオープンする",
              .save_hint = "ﾙﾋﾞ(?RB)ﾌｧｲﾙを保存する",
              .save_as_hint = "名前を付けて保存する",
              .close_hint = "このｳｨﾝﾄﾞｳを閉じる",
              .standard_place = QPoint(kStandardLeft, kStandardTop),
          },
      .caret_panel_width = kCaretPanelWidth,
      .file_panel_width = kFilePanelWidth,
      .recent_files = &Settings::ruby_recent_files,
      .unsaved_copy_name = common::kRubyTextCopy,
  };
  return traits;
}

RubyWindow::RubyWindow(const RubyWindowContext& context, QWidget* parent)
    : TextWindow(context, Traits(), parent),
      context_(context),
      own_session_(context.session ? nullptr : std::make_unique<RubyWindowSession>()),
      work_folder_(context.work_dir),
      session_(context.session ? *context.session : *own_session_) {
  CreateActions();
  CreateMenus();
  // Made before any text is loaded: attaching it later would go over the whole text at once.
  emphasis_ = new RubyEmphasis(Pane()->document(), Pane());
  connect(emphasis_, &RubyEmphasis::Finished, this, &RubyWindow::EmphasisColoured);
  spare_panel_ = new common::view::StatusLine(this);
  spare_panel_->setMinimumWidth(kSparePanelWidth);
  statusBar()->addWidget(spare_panel_);

  common::view::WindowLooks looks = StoredLooks();
  common::WindowPlace place = RubyWindowPlace(*context_.settings);
  looks.top = place.top;
  looks.left = place.left;
  looks.height = place.height;
  looks.width = place.width;
  ApplyLooks(looks);
  SetDocumentPath(std::filesystem::path(std::string(kNewDocumentName)));
}

RubyWindow::~RubyWindow() = default;

// Ctrl+C copies under either set of keys; under the desktop's Ctrl+Q ends the program.
void RubyWindow::CreateActions() {
  using K = QKeySequence;
  AddActions({
      // A key without a menu entry: the program's end is the main text window's command.
      {.name = "quitProgram",
       .caption = tr("終了(&X)"),
       .desktop_keys = {{K(Qt::CTRL | Qt::Key_Q)}},
       .triggered =
           [this] {
             QWidget* main = parentWidget();
             (main != nullptr ? main->window() : this)->close();
           }},

      {.name = "browserRubyDisplay",
       .caption = tr("ブラウザるび表示(&D)"),
       .key = K(Qt::Key_F5),
       .hint = tr("HTMLにして、ルビをブラウザ表示する"),
       .triggered = [this] { BrowserRubyDisplay(); }},
      {.name = "htmlRubyDisplay",
       .caption = tr("HTMLるび表示(&H)"),
       .key = K(Qt::Key_F6),
       .hint = tr("HTMLをそのままブラウザ表示する"),
       .triggered = [this] { HtmlRubyDisplay(); }},
      {.name = "rubyFormatSettings",
       .caption = tr("ルビ書式設定(&S)"),
       .triggered = [this] { RubyFormatSettings(); }},
      {.name = "chooseBrowser",
       .caption = tr("ブラウザ選択(&B)"),
       .triggered = [this] { ChooseBrowser(); }},
      {.name = "notationTest",
       .caption = tr("形式ﾃｽﾄ(&T)"),
       .key = K(Qt::Key_F9),
       .hint = tr("ルビ形式の不正をテストする"),
       .triggered = [this] { NotationTest(); }},

      // The pop-up menu has captions of its own for the same commands.
      {.name = "popupOpen", .caption = tr("開く(&O)"), .triggered = [this] { OpenDocument(); }},
      // It asks for the name.
      {.name = "popupSave",
       .caption = tr("上書き保存(&S)"),
       .triggered =
           [this] {
             if (SaveAs()) SavedByCommand();
           }},
      {.name = "popupClose", .caption = tr("閉じる(&C)"), .triggered = [this] { close(); }},
      {.name = "popupRubyDisplay",
       .caption = tr("るび表示(&D)"),
       .triggered = [this] { BrowserRubyDisplay(); }},
      {.name = "popupHtmlDisplay",
       .caption = tr("HTML表示(&H)"),
       .triggered = [this] { HtmlRubyDisplay(); }},
      {.name = "popupNotationTest",
       .caption = tr("形式ﾃｽﾄ(&T)"),
       .triggered = [this] { NotationTest(); }},
  });
  AddActions(OutputActions());
  AddActions(ExportActions());
  AddActions(CorrectionActions());
  AddActions(ReadingActions());
  AddActions(LearningActions());
  CreateReadingsMenu();
  Named("chooseFont")->setText(tr("フォント(&F)"));
  Named("chooseBackground")->setText(tr("画面背景色(&H)"));
  Named("rubyEmphasis")->setCheckable(true);
}

void RubyWindow::CreateMenus() {
  AddMenu(tr("ファイル(&F)"), {{"newFile", "openFile", "saveFile", "saveAs"},
                               {common::view::kRecentFilesMenu},
                               {"printText", "printPreview", "printerSetup", "printMargins"},
                               {"closeWindow"}});
  AddMenu(tr("編集(&E)"),
          {{EditAction::kUndo, EditAction::kRedo},
           {EditAction::kCut, EditAction::kCopy, EditAction::kPaste, EditAction::kDelete,
            EditAction::kSelectAll},
           {EditAction::kFind, EditAction::kFindDown, EditAction::kFindUp, EditAction::kReplace},
           {EditAction::kTakeSearch, EditAction::kTakeReplacement, EditAction::kClearStrings},
           {EditAction::kCommaToTab, EditAction::kTabToComma},
           {EditAction::kGoToStart, EditAction::kGoToEnd, EditAction::kJumpToLine}});
  AddMenu(tr("るび表示(&D)"),
          {{"browserRubyDisplay", "htmlRubyDisplay"}, {"rubyFormatSettings", "chooseBrowser"}});
  AddMenu(tr("変換(&V)"), {{"makeYmi", "makeNnn"},
                           {"exportOdt", "exportDocx", "exportHtml5", "exportHtml5Vertical"}});
  AddMenu(tr("修正(&R)"),
          {{"chooseReading", "learnReadings"}, {"repairRuby", "convertAllKana"}, {"rubyEmphasis"}});
  AddMenu(tr("補助(&H)"), {{"notationTest"}});
  AddMenu(tr("画面(&W)"), {{"showToolBar", "wordWrap", "standardSize"},
                           {"chooseTabWidth", "chooseFont", "chooseTextColour", "chooseBackground"},
                           {"desktopKeys"}});
  AddSpeechMenu();
  AddApplicationMenu({messages::kTitleApplicationRefused, messages::kApplicationRefused});

  CreateToolBar({{"newFile", "openFile", "saveFile", "saveAs", "closeWindow"},
                 {EditAction::kCut, EditAction::kCopy, EditAction::kPaste, EditAction::kFind,
                  EditAction::kReplace, EditAction::kTakeSearch, EditAction::kTakeReplacement,
                  EditAction::kGoToStart, EditAction::kGoToEnd, EditAction::kJumpToLine},
                 {"browserRubyDisplay", "htmlRubyDisplay", "notationTest", "makeYmi", "makeNnn",
                  "rubyEmphasis"},
                 {"standardSize"},
                 SpeechButtons()});
  CreatePopupMenu({{"popupReadings"},
                   {"popupOpen", "popupSave", "popupClose"},
                   {"popupRubyDisplay", "popupHtmlDisplay", "popupNotationTest", "popupYmi",
                    "popupNnn"}});
}

void RubyWindow::Tell(std::string_view title, std::string text, common::Icon icon) {
  Messenger().Tell({std::string(title), std::move(text), icon});
}

}  // namespace rubywindow::view
