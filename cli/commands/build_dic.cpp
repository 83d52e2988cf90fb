// build-dic: builds a ruby dictionary from a dictionary source (.pre).
#include <filesystem>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/user_text.h"
#include "common/encoding/cp932.h"
#include "common/platform/file_system.h"
#include "common/status.h"
#include "common/encoding/text_file.h"
#include "dictionary/build_command.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

// The build report the user asked to see, in UTF-8 on the output.
bool PrintReport(const CommandEnv& env, const fs::path& report) {
  common::FileBytes bytes = common::ReadTextFile(report);
  if (!bytes.ok) {
    TellFailure(env.messenger, messages::kCannotShowReport, {PathText(report)});
    return false;
  }
  return WriteOutput(env.out, common::Cp932ToUtf8Lossy(bytes.bytes), env.messenger);
}

constexpr OptionSpec kOptions[] = {
    {kOutputOption, "-o", ValueKind::kPath, "DIC",
     "name the dictionary after DIC instead of SOURCE (needed with SOURCE -)"},
};

CommandResult RunBuildDic(const CommandEnv& env) {
  fs::path source_path = env.args.Operands().front();
  const std::string* output = env.args.Last(kOutputOption);
  if (source_path == kStandardStream && !output) {
    return CommandResult::UsageError(std::string(messages::kStandardInputNeedsOutput));
  }
  std::optional<UserText> source = OpenUserText(env, source_path, messages::kCannotOpenFile);
  if (!source) return CommandResult::Failure();
  fs::path base_name = common::WithoutExtension(output ? fs::path(*output) : source_path);
  dictionary::DictionaryBuildResult result = dictionary::RunDictionaryBuild(
      *source->sjis, base_name, env.program, env.work, env.messenger,
      source->from_stream ? fs::path() : source->file);
  if (!common::IsOk(result.status)) return CommandResult::Failure();
  if (result.show_report && !PrintReport(env, result.report_path)) {
    return CommandResult::Failure();
  }
  return CommandResult::Success();
}

}  // namespace

const Command kBuildDicCommand = {
    "build-dic",
    "build-dic SOURCE [-o DIC]",
    "build a ruby dictionary from a dictionary source (.pre)",
    "SOURCE holds one word per line, as in 漢字,かん*じ. A source named like Qv_Body\n"
    "builds HOME/dic/Qv_Body.dic, one named like Qv_Users builds HOME/dic/Qv_Users.dic,\n"
    "any other SOURCE.pre builds SOURCE.dic beside it. The build report error_ck.out and\n"
    "adr_info.txt are written beside SOURCE; when asked to show the report, it is printed.\n"
    "SOURCE may be Shift_JIS or UTF-8 (see --encoding), or - for standard input with -o DIC,\n"
    "which then stands for SOURCE in all of the above.\n",
    kOptions,
    1,
    1,
    RunBuildDic,
};

}  // namespace cli
