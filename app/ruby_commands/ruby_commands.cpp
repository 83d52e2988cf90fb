// The ruby commands: guards and the text for the passes first, then the dialog, then the ruby job,
// and the ruby window on the file it wrote.
#include "app/ruby_commands/ruby_commands.h"

#include <cstdint>
#include <utility>

#include "app/ruby_commands/messages.h"
#include "common/notation/field_entry.h"
#include "common/message_format.h"
#include "common/status.h"
#include "common/encoding/text_source.h"
#include "common/view/sjis_codec.h"
#include "engine/commands/command_context.h"
#include "engine/commands/dictionary_use.h"
#include "engine/commands/preparation.h"
#include "jobs/job_text.h"
#include "speech/spoken_ruby_text.h"

namespace app {

namespace {

// A line break inside a selection: a line-head mark can only match within one line.
constexpr char16_t kParagraphSeparator = u'\u2029';

void Warn(common::Messenger& messenger, std::string_view title, std::string text) {
  messenger.Tell({std::string(title), std::move(text), common::Icon::kWarning});
}

QString FirstLineOf(QString text) {
  text.replace(kParagraphSeparator, u'\n');
  return text.section(u'\n', 0, 0);
}

// Whether line ruby would find a line to give readings to: one that begins with the mark, where
// the mark chooses the lines.
bool ChoosesALine(std::string_view text, const engine::LineFieldOptions& options) {
  if (options.mode == static_cast<int>(engine::LineFieldMode::kFieldsOnly)) return true;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (text.substr(start).starts_with(options.mark)) return true;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return false;
}

}  // namespace

RubyCommands::RubyCommands(RubyCommandHost& host, const RubyCommandServices& services,
                           QWidget* dialog_parent)
    : host_(host),
      services_(services),
      dialogs_(std::make_unique<ModalRubyCommandDialogs>(dialog_parent, *services.messenger,
                                                         services.open_help)) {}

RubyCommands::~RubyCommands() = default;

void RubyCommands::SetDialogs(std::unique_ptr<RubyCommandDialogs> dialogs) {
  dialogs_ = std::move(dialogs);
}

std::string RubyCommands::FieldSeparator() const {
  std::optional<std::string> typed = common::view::EncodeSjis(session_.separator_typed);
  return common::SeparatorEntry(typed ? *typed : std::string());
}

void RubyCommands::AllRubiClick() {
  std::optional<jobs::JobText> text = PrepareText(/*check_notation=*/false);
  if (!text) return;
  std::optional<engine::DictionaryUse> use = ChosenDictionaryUse();
  if (!use) return;
  Run(jobs::RubyKind::kAll, {.use = *use}, *text);
}

void RubyCommands::HaitouRubiClick() {
  std::optional<jobs::JobText> text = PrepareText(/*check_notation=*/true);
  if (!text) return;
  std::optional<engine::GradeRubyOptions> options = dialogs_->AskGradeRuby(*services_.settings);
  if (!options) return;
  Run(jobs::RubyKind::kGrade, {.grade = *options}, *text);
}

void RubyCommands::KankenSpeedButtonClick() {
  std::optional<jobs::JobText> text = PrepareText(/*check_notation=*/true);
  if (!text) return;
  std::optional<engine::LevelRubyOptions> options = dialogs_->AskLevelRuby(*services_.settings);
  if (!options) return;
  Run(jobs::RubyKind::kLevel, {.level = *options}, *text);
}

void RubyCommands::GyouSpeedButtonClick() {
  std::optional<jobs::JobText> text = PrepareText(/*check_notation=*/true);
  if (!text) return;
  std::optional<engine::DictionaryUse> use = ChosenDictionaryUse();
  if (!use) return;
  TakeSelectionAsMark();
  std::optional<engine::LineFieldOptions> options =
      dialogs_->AskLineFieldRuby(*services_.settings, session_, host_.LineBeforeCaret());
  if (!options) return;
  std::optional<std::string> bytes = jobs::WholeText(*text, *services_.messenger);
  if (!bytes) return;
  // Without a chosen line the pass would write the text back without a single reading.
  if (!ChoosesALine(*bytes, *options)) {
    services_.messenger->Tell(
        {std::string(messages::kTitleNotice),
         common::FormatMessage(messages::kNoMarkedLine,
                               {common::view::DecodeSjis(options->mark).toStdString()}),
         common::Icon::kInformation});
    return;
  }
  Run(jobs::RubyKind::kLineField, {.use = *use, .line = *options}, *text);
}

std::optional<QString> RubyCommands::ReadingsOf(const QString& text) {
  std::optional<std::string> bytes =
      jobs::EditedTextInShiftJis(text.toStdString(), host_.CurrentFile(), *services_.messenger);
  if (!bytes) return std::nullopt;
  std::optional<engine::DictionaryUse> use = ChosenDictionaryUse();
  if (!use) return std::nullopt;
  engine::RubyCommandContext context = ContextOf();
  context.fault_line = nullptr;  // the text may be a selection: the caret stays where it is
  common::StringTextSource source(*bytes);
  std::optional<std::string> ruby = engine::GiveRuby(source, *use, context, *services_.messenger);
  if (!ruby) return std::nullopt;
  return common::view::DecodeSjis(speech::SpokenRubyText(*ruby, speech::SpokenPart::kReadings));
}

void RubyCommands::RbWButtonClick() {
  if (host_.RubyWindowOpen()) {
    Warn(*services_.messenger, messages::kTitleCheckAgain,
         std::string(messages::kRubyWindowAlreadyOpen));
    return;
  }
  host_.OpenRubyWindow({}, /*field_flag=*/false);
}

void RubyCommands::PassRubiAreaClick() {
  std::optional<common::NonRubyAreas> areas = dialogs_->AskNonRubyAreas(*services_.settings);
  if (!areas) return;
  session_.delete_area_start = areas->delete_start;
  session_.delete_area_end = areas->delete_end;
}

// The core's guards first, as the passes themselves check them, so that no dialog opens for a
// command that cannot run; then the text as the job takes it, and for the commands with a
// dialog the core's check of the text, whose fault would otherwise show only after the dialog.
std::optional<jobs::JobText> RubyCommands::PrepareText(bool check_notation) {
  if (!engine::PassesGuards(host_.RubyWindowOpen(), host_.Text().isEmpty(), *services_.messenger)) {
    return std::nullopt;
  }
  std::optional<jobs::JobText> text = jobs::OpenEditedText(
      host_.Text().toStdString(), host_.CurrentFile(), host_.DocumentEncoding(),
      common::WorkDir(services_.work_dir), *services_.messenger);
  if (text && check_notation &&
      !common::IsOk(engine::CheckText(*text->sjis, ContextOf(), *services_.messenger))) {
    return std::nullopt;
  }
  return text;
}

// DIC_PATTERN as the dictionary selection set it; a value that stands for no use is refused
// rather than guessed.
std::optional<engine::DictionaryUse> RubyCommands::ChosenDictionaryUse() {
  int pattern = services_.settings->dic_pattern;
  std::optional<engine::DictionaryUse> use = engine::DictionaryUseOf(pattern);
  if (!use) {
    Warn(*services_.messenger, messages::kTitleCaution,
         common::FormatMessage(messages::kBadDicPattern, {std::int64_t{pattern}}));
  }
  return use;
}

// The context of the settings, with the window's document, the delete options last confirmed in
// the non-ruby area dialog, and faults shown at the caret.
engine::RubyCommandContext RubyCommands::ContextOf() {
  engine::RubyCommandContext context = engine::RubyCommandContextOf(
      *services_.settings, *services_.program, common::WorkDir(services_.work_dir));
  context.document_path = host_.CurrentFile();
  context.areas.delete_start = session_.delete_area_start;
  context.areas.delete_end = session_.delete_area_end;
  context.ruby_window_open = host_.RubyWindowOpen();
  context.fault_line = [this](std::size_t fault_offset) { return ShowFaultAt(fault_offset); };
  return context;
}

// The caret goes where the fault shows, one byte before the checker's offset; the fault is
// reported at the file's line it then stands on, the line a check from the command line names,
// whatever the width of the window.
int RubyCommands::ShowFaultAt(std::size_t fault_offset) {
  std::size_t caret = fault_offset > 0 ? fault_offset - 1 : 0;
  host_.MoveCaretToByte(caret);
  return host_.FileLineOfByte(caret);
}

// The job decides where the ruby file goes, in which form, and whether the file it replaces is
// kept; the window shows what it did.
void RubyCommands::Run(jobs::RubyKind kind, const jobs::RubyChoices& choices,
                       const jobs::JobText& text) {
  jobs::RubyJobResult result =
      jobs::RunRubyJob(kind, choices, text, ContextOf(), {}, *services_.messenger);
  switch (result.status) {
    case engine::RubyCommandStatus::kOk:
      break;
    case engine::RubyCommandStatus::kNamingFailed:
      // The filter commands open the ruby window on the name they meant to write; it shows what
      // stands there, or reports the missing file itself.
      if (kind == jobs::RubyKind::kAll || result.file.empty()) return;
      break;
    case engine::RubyCommandStatus::kMarkingFailed:
    case engine::RubyCommandStatus::kRefused:
    case engine::RubyCommandStatus::kNotationFault:
    case engine::RubyCommandStatus::kAborted:
    case engine::RubyCommandStatus::kNotPrepared:
      return;  // each has shown its message
  }
  if (result.ok) {
    host_.ShowStatus(QString::fromStdString(
        common::FormatMessage(messages::kRubyFileWritten,
                              {result.file.string(), common::EncodingName(result.form.encoding),
                               result.reading == engine::ReadingMode::kContext
                                   ? messages::kReadInContext
                                   : messages::kReadByDictionary})));
  }
  host_.OpenRubyWindow(result.file, result.field_flag);
  if (result.ok) host_.AnnounceRubyFile(result.backup);
}

// A selection becomes the line-head mark before the dialog opens, which shows it.
void RubyCommands::TakeSelectionAsMark() {
  QString selected = FirstLineOf(host_.SelectedText());
  if (selected.isEmpty()) return;
  std::optional<std::string> mark = common::view::EncodeSjis(selected);
  // The selection is part of the text, which has just been encoded whole.
  if (mark) services_.settings->line_head_mark = *mark;
}

}  // namespace app
