// make-default-dic: makes the default HOME/dic from Debian's open data and the project's tables.
#include <chrono>
#include <cstdio>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/settings_file.h"
#include "common/message_format.h"
#include "dicgen/default_dictionaries.h"
#include "dicgen/messages.h"

#ifndef MIRUKAZE_DEFAULT_DATA_DIR
#error "MIRUKAZE_DEFAULT_DATA_DIR must name the project's data/default folder"
#endif

namespace cli {
namespace {

constexpr std::string_view kKanjidic = "--kanjidic";
constexpr std::string_view kIpadic = "--ipadic";
constexpr std::string_view kUnidicLex = "--unidic-lex";
constexpr std::string_view kData = "--data";
constexpr std::string_view kMecabDic = "--mecab-dic";

// Where Debian's packages kanjidic, mecab-ipadic and unidic-mecab put their data.
constexpr std::string_view kDebianKanjidic = "/usr/share/edict/kanjidic";
constexpr std::string_view kDebianIpadic = "/usr/share/mecab/dic/ipadic";
constexpr std::string_view kDebianUnidicLex = "/usr/share/mecab/dic/unidic/lex_3_1.csv";
constexpr std::string_view kDebianUnidicMecab = "/var/lib/mecab/dic/unidic";

constexpr OptionSpec kOptions[] = {
    {kKanjidic, "", ValueKind::kPath, "PATH",
     "KANJIDIC, EUC-JP (default: /usr/share/edict/kanjidic)"},
    {kIpadic, "", ValueKind::kPath, "DIR",
     "IPAdic's source CSV files (default: /usr/share/mecab/dic/ipadic)"},
    {kUnidicLex, "", ValueKind::kPath, "PATH",
     "UniDic's lex.csv; an empty value leaves UniDic out (default: the unidic-mecab file)"},
    {kData, "", ValueKind::kPath, "DIR",
     "the project's tables: Qv_Users.pre, 小学熟字訓.txt, … (default: data/default of the source "
     "tree)"},
    {kMecabDic, "", ValueKind::kPath, "DIR",
     "UniDic compiled for MeCab, which tells how words read in context; an empty value leaves "
     "MeCab out (default: /var/lib/mecab/dic/unidic)"},
};

std::filesystem::path PathOption(const ParsedArgs& args, std::string_view option,
                                 std::string_view fallback) {
  const std::string* given = args.Last(option);
  return std::filesystem::path(given ? *given : std::string(fallback));
}

std::string Seconds(std::chrono::steady_clock::duration elapsed) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", std::chrono::duration<double>(elapsed).count());
  return text;
}

CommandResult RunMakeDefaultDic(const CommandEnv& env) {
  auto start = std::chrono::steady_clock::now();
  dicgen::MainSourceInputs inputs{PathOption(env.args, kKanjidic, kDebianKanjidic),
                                  PathOption(env.args, kIpadic, kDebianIpadic),
                                  PathOption(env.args, kUnidicLex, kDebianUnidicLex),
                                  PathOption(env.args, kData, MIRUKAZE_DEFAULT_DATA_DIR),
                                  PathOption(env.args, kMecabDic, kDebianUnidicMecab)};
  dicgen::DefaultDictionariesReport report;
  bool made = dicgen::MakeDefaultDictionaries(inputs, env.program, env.work, report, env.messenger);
  // Whatever was made is worth listing, also when a later step failed.
  std::string summary;
  for (const std::string& line : report.lines) summary += line + "\n";
  if (made) {
    // The grade filter reads exactly H_KANJISUU entries, so the setting follows the build.
    made = ChangeSettingsFile(env.program, env.messenger, [&](common::Settings& settings) {
      settings.h_kanjisuu = report.grade_kanji_count;
      return true;
    });
  }
  summary += common::FormatMessage(dicgen::messages::kTimeTaken,
                                   {Seconds(std::chrono::steady_clock::now() - start)});
  summary += '\n';
  bool written = WriteOutput(env.out, summary, env.messenger);
  return made && written ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace

const Command kMakeDefaultDicCommand = {
    "make-default-dic",
    "make-default-dic [--kanjidic PATH] [--ipadic DIR] [--unidic-lex PATH] [--data DIR]\n"
    "                 [--mecab-dic DIR]",
    "make the default dictionaries of HOME/dic from Debian's open data",
    "Writes HOME/dic/Qv_Body.pre (the main dictionary's words, from a MeCab lexicon and\n"
    "KANJIDIC), Qv_Users.pre and 小学熟字訓.txt (copied from the data folder), 教育漢字.txt\n"
    "and q_file/*.txt (from KANJIDIC), then builds Qv_Body.dic, Qv_Users.dic, HaitouNen.dic\n"
    "and kanken_Q.dic and keeps DICTIONARY/H_KANJISUU equal to the grade list's kanji. The\n"
    "command owns HOME/dic: old dictionaries are replaced without a question and kept as\n"
    "their backups. Prints what each file holds, what was left out and why, and the time.\n",
    kOptions,
    0,
    0,
    RunMakeDefaultDic,
};

}  // namespace cli
