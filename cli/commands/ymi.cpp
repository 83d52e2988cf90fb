// ymi: writes the YMI file of a tabular ruby file, each chosen field replaced by a template
// filled with its text and its reading.
#include <climits>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/option_values.h"
#include "cli/user_text.h"
#include "common/notation/non_ruby_areas.h"
#include "jobs/conversion_jobs.h"
#include "rubywindow/template_list.h"
#include "rubywindow/ymi_options.h"
#include "rubywindow/ymi_writer.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
namespace rw = rubywindow;

constexpr std::string_view kTemplate = "--template";
constexpr std::string_view kRangeMode = "--range-mode";
constexpr std::string_view kFirst = "--first";
constexpr std::string_view kLast = "--last";
constexpr std::string_view kPartMode = "--part-mode";
constexpr std::string_view kMark = "--mark";
constexpr std::string_view kMarkRemove = "--mark-remove";
constexpr std::string_view kSeparator = "--separator";
constexpr std::string_view kToHiragana = "--to-hiragana";
constexpr std::string_view kWarnMarkers = "--warn-markers";

constexpr OptionSpec kOptions[] = {
    {kTemplate, "", ValueKind::kText, "T",
     "@@@@1 the field text, @@@@2 its reading, ^^t a tab (default: SEIKEI/SEIKEISTRING_DSP)"},
    {kRangeMode, "", ValueKind::kText, "N",
     "0 field F, 1 fields F..G, 2 F..64, 3 1..F, 4 the line-ruby fields (default 0)"},
    {kFirst, "", ValueKind::kText, "F", "first field (default 1)"},
    {kLast, "", ValueKind::kText, "G", "last field, range mode 1 (default 1)"},
    {kPartMode, "", ValueKind::kText, "0|1",
     "0 every line, 1 only lines that begin with the mark (default 0)"},
    {kMark, "", ValueKind::kText, "M", "the line-head mark (default: GYOURUBI/GYOUTOUMARK)"},
    {kMarkRemove, "", ValueKind::kNone, "", "leave the mark out of formatted lines"},
    {kSeparator, "", ValueKind::kText, "C",
     "the field separator, one byte; \\t is a tab (default ,)"},
    {kToHiragana, "", ValueKind::kNone, "", "turn the katakana of field readings into hiragana"},
    {kWarnMarkers, "", ValueKind::kNone, "", "warn when the template lacks @@@@1 or @@@@2"},
    kOutputFileOptionSpec,
};

constexpr int kNoLimit = INT_MAX;

// The integer options over the stored choices; false with the usage error in `error`.
bool ReadNumbers(const ParsedArgs& args, rw::YmiOptions& options, std::string& error) {
  std::optional<int> range_mode = IntegerOption(args, kRangeMode, 0, 0, 4, error);
  if (!range_mode) return false;
  std::optional<int> first = IntegerOption(args, kFirst, 1, 1, kNoLimit, error);
  if (!first) return false;
  std::optional<int> last = IntegerOption(args, kLast, 1, 1, kNoLimit, error);
  if (!last) return false;
  std::optional<int> part_mode = IntegerOption(args, kPartMode, 0, 0, 1, error);
  if (!part_mode) return false;
  options.range_mode = *range_mode;
  options.first_field = *first;
  options.last_field = *last;
  options.part_mode = *part_mode;
  return true;
}

// The dialog's choices: the stored template and mark, changed by the options.
std::optional<rw::YmiOptions> OptionsOf(const CommandEnv& env, std::string& error) {
  rw::YmiOptions options = rw::YmiOptionsOf(env.settings);
  options.template_text =
      rw::InitialTemplate(env.settings.ymi_template, env.settings.ymi_templates);
  if (!ReadNumbers(env.args, options, error)) return std::nullopt;
  if (const std::string* given = env.args.Last(kTemplate)) options.template_text = *given;
  if (const std::string* given = env.args.Last(kMark)) options.line_head_mark = *given;
  if (const std::string* given = env.args.Last(kSeparator)) options.separator_edit = *given;
  options.mark_handling = env.args.Has(kMarkRemove) ? 1 : 0;
  options.to_hiragana = env.args.Has(kToHiragana);
  options.warn_markers = env.args.Has(kWarnMarkers);
  return options;
}

CommandResult RunYmi(const CommandEnv& env) {
  std::string error;
  std::optional<rw::YmiOptions> options = OptionsOf(env, error);
  if (!options) return CommandResult::UsageError(error);
  std::optional<UserText> input =
      OpenUserText(env, env.args.Operands().front(), messages::kCannotOpenFile);
  if (!input) return CommandResult::Failure();
  jobs::Destination destination = DestinationOf(env);
  jobs::ConversionJob job{*input, destination, env.work, common::NonRubyAreasOf(env.settings)};
  job.written_record = env.program.WrittenRecordDir();
  return PrintWritten(env, jobs::RunYmiJob(job, *options, env.messenger))
             ? CommandResult::Success()
             : CommandResult::Failure();
}

}  // namespace

const Command kYmiCommand = {
    "ymi",
    "ymi FILE [--template T] [--range-mode N] [--first F] [--last G] [--part-mode 0|1] "
    "[--mark M] [--mark-remove] [--separator C] [--to-hiragana] [--warn-markers] [-o OUT]",
    "write the field-formatted YMI file of a tabular ruby file (.ymi)",
    "Each chosen field is replaced by the template, filled with the field's text (groups by\n"
    "their base) and its reading (groups by their reading): with @@@@1,@@@@2 the field\n"
    "{平和/へいわ} becomes 平和,へいわ. The notation is checked first; a fault, or choices the\n"
    "settings dialog would refuse, give status 1 and no file. The file is FILE cut at the first\n"
    "'.' of its name, with .ymi, in the encoding of FILE; its path is printed. FILE - reads\n"
    "standard input and prints the result; -o OUT writes it there instead.\n",
    kOptions,
    1,
    1,
    RunYmi,
};

}  // namespace cli
