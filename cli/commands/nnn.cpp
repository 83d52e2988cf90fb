// nnn: writes the NNN file of a ruby file, every ruby group rewritten by the user's template.
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
#include "rubywindow/nnn_writer.h"
#include "rubywindow/template_list.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
namespace rw = rubywindow;

constexpr std::string_view kTemplate = "--template";
constexpr std::string_view kFontName = "--font-name";
constexpr std::string_view kFontSize = "--font-size";
constexpr std::string_view kWarnMarkers = "--warn-markers";

constexpr OptionSpec kOptions[] = {
    {kTemplate, "", ValueKind::kText, "T",
     "****1 base, ****4 reading, ****2/****5 their bytes, ****3/****6 their characters, "
     "****7 font name, ****8 font size (default: CNVSTR/CONVSTRING_DSP)"},
    {kFontName, "", ValueKind::kText, "N", "the font name for ****7 (default ＭＳ明朝)"},
    {kFontSize, "", ValueKind::kText, "S", "the font size for ****8 (default 8)"},
    {kWarnMarkers, "", ValueKind::kNone, "",
     "ask before running a template without ****1 or ****4"},
    kOutputFileOptionSpec,
};

std::optional<rw::NnnOptions> OptionsOf(const CommandEnv& env, std::string& error) {
  rw::NnnOptions options = rw::NnnOptionsOf(env.settings);
  options.template_text =
      rw::InitialTemplate(env.settings.nnn_template, env.settings.nnn_templates);
  std::optional<int> size =
      IntegerOption(env.args, kFontSize, options.font_size, 1, INT_MAX, error);
  if (!size) return std::nullopt;
  options.font_size = *size;
  if (const std::string* given = env.args.Last(kTemplate)) options.template_text = *given;
  if (const std::string* given = env.args.Last(kFontName)) options.font_name = *given;
  return options;
}

CommandResult RunNnn(const CommandEnv& env) {
  std::string error;
  std::optional<rw::NnnOptions> options = OptionsOf(env, error);
  if (!options) return CommandResult::UsageError(error);
  std::optional<UserText> input =
      OpenUserText(env, env.args.Operands().front(), messages::kCannotOpenFile);
  if (!input) return CommandResult::Failure();
  jobs::Destination destination = DestinationOf(env);
  jobs::ConversionJob job{*input, destination, env.work, common::NonRubyAreasOf(env.settings)};
  job.written_record = env.program.WrittenRecordDir();
  return PrintWritten(env, jobs::RunNnnJob(job, *options, env.args.Has(kWarnMarkers),
                                           env.messenger))
             ? CommandResult::Success()
             : CommandResult::Failure();
}

}  // namespace

const Command kNnnCommand = {
    "nnn",
    "nnn FILE [--template T] [--font-name N] [--font-size S] [--warn-markers] [-o OUT]",
    "rewrite every ruby group by a template of your own (.nnn)",
    "With the template 〒****1****4〒 the group {花/はな} becomes 〒花はな〒; text outside the\n"
    "groups is copied. The notation is checked first; a fault gives status 1 and no file. With\n"
    "--warn-markers a template without ****1 or ****4 is run only when the question is\n"
    "answered OK (--yes). The file is FILE cut at the first '.' of its name, with .nnn, in the\n"
    "encoding of FILE; its path is printed. FILE - reads standard input and prints the\n"
    "result; -o OUT writes it there instead.\n",
    kOptions,
    1,
    1,
    RunNnn,
};

}  // namespace cli
