// export: writes a ruby file as an ODT or DOCX document with native ruby, or as an HTML5 page.
#include <filesystem>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/user_text.h"
#include "common/message_format.h"
#include "engine/filters/first_ruby.h"
#include "jobs/export_job.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using common::FormatMessage;

constexpr std::string_view kFormat = "--format";
constexpr std::string_view kFirstOccurrence = "--first-occurrence";
constexpr std::string_view kVertical = "--vertical";

constexpr OptionSpec kOptions[] = {
    {kFormat, "", ValueKind::kText, "odt|docx|html5", "the kind of file (default: html5)"},
    {kFirstOccurrence, "", ValueKind::kText, "every|document|paragraph",
     "keep a word's ruby only where it first occurs in the text, or in each paragraph (line) "
     "(default: RUBIRANGE/FIRSTRUBY, 0 every)"},
    {kVertical, "", ValueKind::kNone, "", "write top to bottom, lines from right to left"},
    kOutputFileOptionSpec,
};

CommandResult RunExport(const CommandEnv& env) {
  jobs::ExportChoices choices;
  choices.first_ruby = engine::FirstRubyScopeOf(env.settings);
  choices.vertical = env.args.Has(kVertical);
  if (const std::string* name = env.args.Last(kFormat)) {
    std::optional<worksheet::SheetFormat> format = worksheet::SheetFormatNamed(*name);
    if (!format) return CommandResult::UsageError(FormatMessage(messages::kBadFormat, {*name}));
    choices.format = *format;
  }
  if (const std::string* name = env.args.Last(kFirstOccurrence)) {
    std::optional<engine::FirstRubyScope> scope = engine::FirstRubyScopeNamed(*name);
    if (!scope) {
      return CommandResult::UsageError(FormatMessage(messages::kBadFirstOccurrence, {*name}));
    }
    choices.first_ruby = *scope;
  }
  fs::path file = env.args.Operands().front();
  std::optional<UserText> input = OpenUserText(env, file, messages::kCannotOpenFile);
  if (!input) return CommandResult::Failure();
  jobs::Destination destination = DestinationOf(env);
  jobs::ConversionJob job{*input, destination, env.work, common::NonRubyAreasOf(env.settings)};
  job.written_record = env.program.WrittenRecordDir();
  jobs::JobResult written = jobs::RunExportJob(job, choices, env.messenger);
  return PrintWritten(env, written) ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace

const Command kExportCommand = {
    "export",
    "export [--format odt|docx|html5] [--vertical] [--first-occurrence SCOPE] FILE [-o OUT]",
    "write a ruby file as a word-processor document or a web page (FILE without extension + "
    ".odt, .docx, .html)",
    "Every line of the ruby file becomes a paragraph and every group its base with its reading\n"
    "as ruby that the word processor or browser shows and lets you edit: text:ruby in ODT\n"
    "(LibreOffice Writer), w:ruby in DOCX (Word), <ruby> in HTML5, whose page is laid out for A4\n"
    "worksheets when printed. A group of alternatives shows the first. The files are UTF-8 and "
    "ask\n"
    "for the font Noto Serif CJK JP (IPAexMincho where it is missing). The notation is checked\n"
    "first: a fault is reported with its line (status 1, nothing written). FILE - reads standard\n"
    "input and prints the file; -o OUT writes it there. An edited file beside FILE is kept as its\n"
    "backup (.~odt, .~docx, .~html) before it is replaced.\n",
    kOptions,
    1,
    1,
    RunExport,
};

}  // namespace cli
