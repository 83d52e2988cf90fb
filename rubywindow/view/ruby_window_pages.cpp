// The ruby window's checks and browser displays: the notation check, the HTML ruby page, the
// pass-through page, their settings and the choice of browser.
#include <QTextEdit>
#include <algorithm>

#include "common/message_format.h"
#include "common/messages.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/status.h"
#include "common/encoding/text_encoding.h"
#include "common/encoding/text_source.h"
#include "common/view/colour_value.h"
#include "common/view/sjis_codec.h"
#include "common/view/text_pane.h"
#include "common/platform/working_files.h"
#include "jobs/conversion_jobs.h"
#include "jobs/job_text.h"
#include "rubywindow/messages.h"
#include "rubywindow/view/browser_choice.h"
#include "rubywindow/view/check_start_dialog.h"
#include "rubywindow/view/messages.h"
#include "rubywindow/view/ruby_format_dialog.h"
#include "rubywindow/view/ruby_window.h"
#include "rubywindow/view/ruby_window_session.h"

namespace rubywindow::view {

namespace fs = std::filesystem;
namespace core_messages = rubywindow::messages;

namespace {

constexpr int kSeparatorColour = 255;  // red, 0x00BBGGRR

std::size_t LineFeedsBefore(std::string_view text, std::size_t offset) {
  return static_cast<std::size_t>(
      std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// An editor offset in the file, and back (an offset on a CR is the end of its line).
std::size_t FileOffsetOf(std::string_view editor_text, std::size_t offset) {
  return offset + LineFeedsBefore(editor_text, offset);
}
std::size_t EditorOffsetOf(std::string_view file_text, std::size_t offset) {
  return offset - LineFeedsBefore(file_text, offset);
}

}  // namespace

// The text as the core reads it. A character Shift_JIS cannot hold is named, with its line and
// column, rather than dropped from the page or the check.
std::optional<std::string> RubyWindow::TextInSjis() {
  return jobs::EditedTextInShiftJis(Pane()->Text().toStdString(), DocumentPath(), Messenger());
}

// The text as the jobs take it: its document on disk decides the form of what they write.
std::optional<jobs::JobText> RubyWindow::EditedText() {
  return jobs::OpenEditedText(Pane()->Text().toStdString(), DocumentOnDisk(), FileForm().encoding,
                              common::WorkDir(work_folder_.Path()), Messenger());
}

// `text` is the editor's text in Shift_JIS, `start` an offset in it.
std::optional<common::NotationCheck> RubyWindow::RunCheck(const std::string& text,
                                                          std::size_t start,
                                                          bool report_separators) {
  Pane()->setExtraSelections({});
  // The editor holds LF line ends, the file CR LF. The check runs over the text as the file
  // holds it, so that its lines, counts and offsets are those of the file.
  std::string file = common::LfToCrLf(text);
  common::StringTextSource source(file);
  common::NotationCheck check = CheckNotation(source, FileOffsetOf(text, start), report_separators,
                                              common::NonRubyAreasOf(*context_.settings));
  if (check.ok()) return check;
  ShowFault(check, file);
  return std::nullopt;
}

// The caret goes just before the fault's offset in the file, taken to its character (a line
// whose braces do not balance puts it at the end of that line); a separator found is selected
// and shown red and bold. The line is the file's, as the command line's check reports it.
void RubyWindow::ShowFault(const common::NotationCheck& check, std::string_view file) {
  std::size_t in_file = check.fault_offset > 0 ? check.fault_offset - 1 : 0;
  std::size_t caret = EditorOffsetOf(file, in_file);
  if (check.code == common::CheckCode::kSeparatorFound) {
    Pane()->SelectBytes(caret, 1);
    QTextEdit::ExtraSelection mark;
    mark.cursor = Pane()->textCursor();
    mark.format.setForeground(common::view::ColourOfBgr(kSeparatorColour));
    mark.format.setFontWeight(QFont::Bold);
    Pane()->setExtraSelections({mark});
  } else {
    Pane()->MoveCaretToByte(caret);
  }
  Pane()->NotifyCaretMoved();
  common::ReportFault(
      check.code, common::LogicalLineOfFault(common::StringTextSource(file), check.fault_offset),
      Messenger());
}

bool RubyWindow::PassesCheckBeforeConversion(const std::string& text) {
  return !check_before_conversions_ || RunCheck(text, 0, false).has_value();
}

void RubyWindow::NotationTest() {
  if (error_list_mode_) return;
  if (Pane()->document()->isEmpty()) {
    Tell(common::messages::kTitleNothingToCheck, std::string(common::messages::kNothingToCheck),
         common::Icon::kWarning);
    return;
  }
  std::optional<CheckStart> start = CheckStartDialog::Ask(session_.check_start, this);
  if (!start) return;
  session_.check_start = *start;
  std::optional<std::string> text = TextInSjis();
  if (!text) return;
  std::size_t offset = start->from_caret ? Pane()->CaretByte() : 0;
  int line = start->from_caret ? Pane()->LogicalLineOfCaret() : 1;
  int column = start->from_caret ? Pane()->ByteColumnOfCaret() : 1;
  std::optional<common::NotationCheck> check = RunCheck(*text, offset, start->report_separators);
  if (!check) return;
  Tell(common::kCheckPassedTitle,
       common::CheckPassedText(DocumentPath().string(), line, column, check->lines, check->groups));
}

// The browser displays do nothing in error-list mode, and refuse an empty text.
bool RubyWindow::HasPageToShow() {
  if (error_list_mode_) return false;
  if (!Pane()->document()->isEmpty()) return true;
  Tell(core_messages::kTitleCaution, std::string(core_messages::kNothingToShow),
       common::Icon::kWarning);
  return false;
}

void RubyWindow::BrowserRubyDisplay() {
  if (!HasPageToShow()) return;
  // Once shown in the browser, the text is taken as it is: no later conversion checks it.
  check_before_conversions_ = false;
  std::optional<jobs::JobResult> page = RunConversion([&](const jobs::ConversionJob& job) {
    return jobs::RunRubyPageJob(job, PageSettingsOf(*context_.settings, session_), Messenger());
  });
  // The failure has been reported; a browser started now would show an older page, or none.
  if (page) ShowPage(page->file);
}

void RubyWindow::HtmlRubyDisplay() {
  if (!HasPageToShow()) return;
  std::optional<std::string> text = TextInSjis();
  if (!text || !PassesCheckBeforeConversion(*text)) return;
  std::optional<jobs::JobResult> page = RunConversion([&](const jobs::ConversionJob& job) {
    return jobs::RunPassThroughPageJob(job, Messenger());
  });
  if (page) ShowPage(page->file);
}

void RubyWindow::ShowPage(const fs::path& page) {
  Tell(core_messages::kTitleShowingPage,
       common::FormatMessage(core_messages::kShowingPage, {page.string()}));
  ShowInBrowser(page, *context_.settings, *context_.choosers, *context_.starter, Messenger(), this);
}

void RubyWindow::RubyFormatSettings() {
  RubyFormatDialog dialog(*context_.settings, session_, *context_.choosers, this);
  dialog.exec();
}

void RubyWindow::ChooseBrowser() {
  std::optional<std::string> program =
      AskBrowserProgram(*context_.choosers, this, BrowserProgram(*context_.settings));
  if (!program) return;
  SetBrowserProgram(*context_.settings, *program);
  Tell(core_messages::kTitleBrowserProgram, *program);
}

}  // namespace rubywindow::view
