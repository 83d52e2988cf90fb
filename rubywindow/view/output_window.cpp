// The YMI and NNN windows: their differences as two records over one frame, and the YMI
// window's page in the browser.
#include "rubywindow/view/output_window.h"

#include <QPoint>

#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/notation/notation_checker.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/status.h"
#include "common/encoding/text_encoding.h"
#include "common/encoding/text_source.h"
#include "common/view/qt_text.h"
#include "common/view/text_pane.h"
#include "common/platform/working_files.h"
#include "jobs/conversion_jobs.h"
#include "jobs/job_text.h"
#include "rubywindow/messages.h"
#include "rubywindow/ruby_page.h"
#include "rubywindow/view/browser_choice.h"
#include "rubywindow/view/messages.h"
#include "rubywindow/view/ruby_window_session.h"
#include "rubywindow/view/template_list_dialog.h"

namespace rubywindow::view {

namespace fs = std::filesystem;
using common::view::EditAction;

namespace {

constexpr int kCaretPanelWidth = 200;
constexpr int kFilePanelWidth = 350;

// The file commands of both windows; the YMI and NNN records change what differs.
common::view::FileCommandTexts OutputFileTexts() {
  common::view::FileCommandTexts texts;
  texts.open_dialog_title = messages::kOutputOpenTitle;
  texts.save_dialog_title = messages::kSaveDialogTitle;
  texts.opened_status = messages::kOpenedStatus;
  texts.saved_status = messages::kSavedStatus;
  texts.nothing_to_save = {messages::kTitleNothingToSave, messages::kNothingToSave,
                           common::Icon::kWarning};
  texts.read_only = {messages::kTitleReadOnly, messages::kReadOnlyFile, common::Icon::kQuestion};
  texts.read_only_kept = {messages::kTitleReadOnly, messages::kReadOnlyNotCleared,
                          common::Icon::kWarning};
  texts.unsaved_text = messages::kUnsavedText;
  // Asked before Open in both windows, so that no edited text is dropped by opening another.
  texts.unsaved_title = messages::kApplicationTitle;
  return texts;
}

// Both windows open and save; New belongs to the ruby window that writes their files.
common::view::TextWindowTraits OutputTraits(const common::view::WindowLooksKeys& looks,
                                            QPoint standard_place) {
  common::view::TextWindowTraits traits;
  traits.looks = looks;
  traits.files = OutputFileTexts();
  traits.rows = {.has_new = false,
                 .open_hint = "ファイルを開く",
                 .save_hint = "上書き保存する",
                 .save_as_hint = "名前を付けて保存する",
                 .close_hint = "このｳｲﾝﾄﾞｳを閉じる",
                 .standard_place = standard_place};
  traits.caret_panel_width = kCaretPanelWidth;
  traits.file_panel_width = kFilePanelWidth;
  return traits;
}

}  // namespace

OutputWindow::OutputWindow(const RubyWindowContext& context, const OutputWindowKind& kind,
                           QWidget* parent)
    : TextWindow(context, kind.traits, parent), context_(context), kind_(kind) {
  common::view::WindowLooks looks = StoredLooks();
  common::WindowPlace place =
      common::AtLeast({looks.top, looks.left, looks.height, looks.width}, kind_.minimum);
  looks.top = place.top;
  looks.left = place.left;
  looks.height = place.height;
  looks.width = place.width;
  ApplyLooks(looks);
}

void OutputWindow::ShowOutputFile(const fs::path& path) {
  if (!common::FileExists(path)) {
    Tell(kind_.missing, common::FormatMessage(kind_.missing.text, {path.string()}));
  } else if (LoadDocument(path)) {
    ShowFileStatus(messages::kOpenedStatus, path);
  }
  SetDocumentPath(path);
  Pane()->SetModified(false);
  Pane()->MoveCaretToStart();
}

QString OutputWindow::TitleFor(const fs::path& path) const {
  std::string shown = path.empty() ? std::string(kind_.empty_path_name) : path.string();
  return common::view::QStringOfUtf8(common::FormatMessage(kind_.title_format, {shown}));
}

std::optional<fs::path> OutputWindow::OverwriteTarget() {
  if (DocumentPath().empty()) return std::nullopt;
  return DocumentPath();
}

void OutputWindow::CreateActions() {
  AddActions({{.name = "popupClose", .caption = tr("このｳｲﾝﾄﾞｳを閉じる(&C)"), .triggered = [this] {
                 close();
               }}});
}

void OutputWindow::CreateMenus(const common::view::MenuGroups& extra_menu,
                               const QString& extra_caption) {
  AddMenu(tr("ファイル(&F)"), {{"openFile", "saveFile", "saveAs"},
                               {"printText", "printPreview", "printerSetup", "printMargins"},
                               {"closeWindow"}});
  // These windows give the repeat searches each other's access keys, and the YMI window spells
  // its comma and tab swaps with a longer arrow.
  Edit().Action(EditAction::kFindUp)->setText(tr("上方検索↑(&W)"));
  Edit().Action(EditAction::kFindDown)->setText(tr("下方検索↓(&Q)"));
  std::vector<common::view::MenuItem> comma_tab{EditAction::kCommaToTab};
  if (kind_.has_tab_to_comma) {
    comma_tab.emplace_back(EditAction::kTabToComma);
    Edit().Action(EditAction::kCommaToTab)->setText(tr("コンマ --> タブ"));
    Edit().Action(EditAction::kTabToComma)->setText(tr("タブ --> コンマ"));
  }
  AddMenu(tr("編集(&E)"),
          {{EditAction::kUndo, EditAction::kRedo},
           {EditAction::kCut, EditAction::kCopy, EditAction::kPaste, EditAction::kDelete,
            EditAction::kSelectAll},
           {EditAction::kFind, EditAction::kFindDown, EditAction::kFindUp, EditAction::kReplace},
           {EditAction::kTakeSearch, EditAction::kTakeReplacement, EditAction::kClearStrings},
           comma_tab,
           {EditAction::kGoToStart, EditAction::kGoToEnd, EditAction::kJumpToLine}});
  if (!extra_menu.empty()) AddMenu(extra_caption, extra_menu);
  AddMenu(tr("画面(&W)"),
          {{"showToolBar", "wordWrap", "standardSize"},
           {"chooseFont", "chooseTextColour", "chooseBackground", "chooseTabWidth"}});
  AddSpeechMenu();
  AddApplicationMenu({messages::kTitleApplicationRefused, messages::kApplicationRefused});
  // The search button repeats the last search forward, or opens the find dialog.
  CreateToolBar({{"openFile", "saveFile", "saveAs", "closeWindow"},
                 {EditAction::kCut, EditAction::kCopy, EditAction::kPaste, EditAction::kFindDown,
                  EditAction::kReplace, EditAction::kGoToStart, EditAction::kGoToEnd,
                  EditAction::kJumpToLine},
                 {"standardSize"},
                 SpeechButtons()});
  common::view::MenuGroups popup{
      {EditAction::kCut, EditAction::kCopy, EditAction::kPaste, EditAction::kSelectAll}};
  if (kind_.has_close_in_popup) popup.push_back({"popupClose"});
  CreatePopupMenu(popup);
}

// The YMI window.

const OutputWindowKind& YmiWindow::Kind() {
  using common::Settings;
  static const OutputWindowKind kind = [] {
    OutputWindowKind ymi;
    ymi.traits = OutputTraits(
        {&Settings::ymi_top, &Settings::ymi_left, &Settings::ymi_height, &Settings::ymi_width,
         &Settings::ymi_font_name, &Settings::ymi_font_size, &Settings::ymi_font_color,
         &Settings::ymi_edit_color, &Settings::ymi_tab_width},
        QPoint(200, 200));
    ymi.title_format = messages::kYmiWindowTitle;
    ymi.empty_path_name = messages::kYmiNewText;
    ymi.missing = {messages::kTitleYmiMissing, messages::kYmiMissing, common::Icon::kWarning};
    ymi.minimum = {.top = 200, .left = 200, .height = 300, .width = 400};
    common::view::FileCommandTexts& files = ymi.traits.files;
    files.file_filter = messages::kYmiFilter;
    files.not_edited = {messages::kTitleOutputConfirm, messages::kYmiNotEdited};
    files.unsaved_on_close_title = messages::kApplicationTitle;
    files.close_query_format = messages::kYmiCloseQuery;
    files.close_query_rank = common::view::kYmiWindowRank;
    return ymi;
  }();
  return kind;
}

YmiWindow::YmiWindow(const RubyWindowContext& context, QWidget* parent)
    : OutputWindow(context, Kind(), parent), work_folder_(context.work_dir) {
  CreateActions();
  AddActions({{.name = "htmlView",
               .caption = tr("HTMLるび表示(&R)"),
               .hint = tr("ルビをHTMLにしてブラウザ表示する"),
               .triggered = [this] { HtmlView(); }}});
  CreateMenus({{"htmlView"}}, tr("ブラウザ(&B)"));
  SetDocumentPath({});
}

// The text as it stands, not the file, goes to the page; its notation is checked first and a
// fault is shown at its line. The page job writes the page in the YMI file's encoding (and a
// UTF-8 file's line ends), named after the page source.
void YmiWindow::HtmlView() {
  common::WorkDir work(work_folder_.Path());
  std::optional<jobs::JobText> text = jobs::OpenEditedText(
      Pane()->Text().toStdString(), DocumentPath(), FileForm().encoding, work, WindowMessenger());
  if (!text) return;
  const common::Settings& settings = *Context().settings;
  common::NotationCheck check = common::CheckNotation(*text->sjis, 0, /*report_separators=*/false,
                                                      common::NonRubyAreasOf(settings));
  if (!check.ok()) {
    int line = common::LogicalLineOfFault(*text->sjis, check.fault_offset);
    Pane()->MoveCaretToLogicalLine(line);
    Pane()->NotifyCaretMoved();
    common::ReportFault(check.code, line, WindowMessenger());
    return;
  }
  std::optional<fs::path> page_source =
      jobs::YmiPageSource(DocumentPath(), Context().program->Dir());
  if (!page_source) return;
  text->file = *page_source;
  HtmlPageSettings page_settings = Context().session ? PageSettingsOf(settings, *Context().session)
                                                     : HtmlPageSettingsOf(settings);
  jobs::Destination beside;
  jobs::JobResult written =
      jobs::RunRubyPageJob({.text = *text, .destination = beside, .work = work, .areas = {}},
                           page_settings, WindowMessenger());
  if (!written.ok) return;
  const fs::path& page = written.file;
  WindowMessenger().Tell(
      {std::string(rubywindow::messages::kTitleShowingPage),
       common::FormatMessage(rubywindow::messages::kShowingPage, {page.string()}),
       common::Icon::kInformation});
  ShowInBrowser(page, *Context().settings, *Context().choosers, *Context().starter,
                WindowMessenger(), this);
}

// The NNN window.

const OutputWindowKind& NnnWindow::Kind() {
  using common::Settings;
  static const OutputWindowKind kind = [] {
    OutputWindowKind nnn;
    nnn.traits = OutputTraits(
        {&Settings::nnn_top, &Settings::nnn_left, &Settings::nnn_height, &Settings::nnn_width,
         &Settings::nnn_font_name, &Settings::nnn_font_size, &Settings::nnn_font_color,
         &Settings::nnn_edit_color, &Settings::nnn_tab_width},
        QPoint(250, 250));
    nnn.title_format = messages::kNnnWindowTitle;
    nnn.missing = {messages::kTitleNnnMissing, messages::kNnnMissing, common::Icon::kWarning};
    nnn.minimum = {.top = 200, .left = 200, .height = 400, .width = 500};
    nnn.has_tab_to_comma = false;
    nnn.has_close_in_popup = true;
    common::view::FileCommandTexts& files = nnn.traits.files;
    files.file_filter = messages::kNnnFilter;
    files.not_edited = {messages::kTitleOutputConfirm, messages::kNnnNotEdited};
    files.unsaved_before_open = messages::kNnnUnsavedBeforeOpen;
    files.unsaved_on_close_title = messages::kTitleOutputConfirm;
    files.close_query_format = messages::kNnnCloseQuery;
    files.close_query_rank = common::view::kNnnWindowRank;
    return nnn;
  }();
  return kind;
}

NnnWindow::NnnWindow(const RubyWindowContext& context, QWidget* parent)
    : OutputWindow(context, Kind(), parent) {
  CreateActions();
  CreateMenus({}, {});
  SetDocumentPath({});
}

}  // namespace rubywindow::view
