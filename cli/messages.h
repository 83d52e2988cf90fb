// Message texts and titles of the command-line tool (UTF-8), filled in by
// common::FormatMessage. Texts shown as message boxes speak like the rest of the program;
// usage errors and button names follow the terminal's conventions.
#pragma once

#include <string_view>

#include "common/messages.h"
#include "jobs/messages.h"

namespace cli::messages {

inline constexpr std::string_view kTitleCaution = "ご注意!!";

// The jobs' own, which the tool shows as the windows do.
using jobs::messages::kCannotReadFile;
using jobs::messages::kCannotReadInput;
using jobs::messages::kCannotWriteFile;
using jobs::messages::kCannotWriteOutput;
using jobs::messages::kNotRegularFile;

// Message boxes of the tool's own.
inline constexpr std::string_view kCannotOpenFile = "ファイル<%s>が開けません。";
using common::messages::kNoProgramDir;
inline constexpr std::string_view kCannotLocateProgram =
    "プログラムフォルダが分かりません。--home で指定してください。";
inline constexpr std::string_view kCannotCreateWorkDir = "作業フォルダ<%s>が作れません。";
inline constexpr std::string_view kWorkDirInUse =
    "作業フォルダ<%s>は、いま別の mirukaze-cli が使っています。\n"
    "終わるのを待つか、別の作業フォルダを指定してください。";
inline constexpr std::string_view kBadDicPattern =
    "辞書の使用パターン DIC_PATTERN=%d は使えません。\n0・1・2 のいずれかにしてください。";
inline constexpr std::string_view kStartBeyondEnd =
    "開始位置 %d は<%s>の長さ %d バイトを超えています。";
inline constexpr std::string_view kCannotShowReport =
    "辞書は作成されましたが、報告ファイル<%s>が読めません。";
// A text left to the guess that is UTF-8 but for a few broken bytes: its name, the line and the
// byte (from 1) of the first break, and its bytes in hex.
inline constexpr std::string_view kBrokenUtf8 =
    "<%s>は UTF-8 のテキストですが、%d 行目（先頭から %d バイト目）の<%s>が UTF-8 になりません。\n"
    "Shift_JIS として読むと文字化けするので、何も書きませんでした。\n"
    "そのバイトを直すか、Shift_JIS のテキストなら --encoding sjis を付けてください。";
// Standard input holds more than the limit (in bytes) a run copies of it.
inline constexpr std::string_view kStandardInputTooLarge =
    "標準入力が上限の %d バイトを超えたので、読み込みを止めました。何も書いていません。\n"
    "大きなテキストはファイルとして渡すか、--stdin-limit で上限を上げてください。";
inline constexpr std::string_view kTooLargeToSort =
    "<%s>は %d バイトあり、並べ替えで一度に扱える上限の %d バイトを超えています。"
    "何も書いていません。\n"
    "ファイルを分けて並べ替えるか、--max-size で上限を上げてください。";
// The memory ran out in the middle of a command.
inline constexpr std::string_view kOutOfMemory =
    "メモリが足りなくなったので、処理を中止しました。書きかけのファイルは残していません。\n"
    "テキストを分けるか、ほかのプログラムを終えてからやり直してください。";
inline constexpr std::string_view kSelectionNotFound =
    "ファイル<%s>には指定された文字列がありません。\n何も変更しませんでした。";

// The lines of "dic list" (UTF-8, tab-separated).
inline constexpr std::string_view kListIndicator = "使用辞書\t%s\n";
inline constexpr std::string_view kListPreDictionary = "プレ辞書\t%s\t%s\t%s\n";
inline constexpr std::string_view kListEntry = "%d\t%s\t%s\t%s\n";
inline constexpr std::string_view kFileThere = "あり";
inline constexpr std::string_view kFileAbsent = "なし";

// How a question was answered, under the question.
inline constexpr std::string_view kAnswerTaken = "  → %s";
inline constexpr std::string_view kAnswerOk = "OK";
inline constexpr std::string_view kAnswerCancel = "Cancel";
inline constexpr std::string_view kAnswerYes = "Yes";
inline constexpr std::string_view kAnswerNo = "No";
inline constexpr std::string_view kTerminalPrompt = "[y/n] ";

// Usage errors, printed as "mirukaze-cli: TEXT" followed by the usage line.
inline constexpr std::string_view kProgramName = "mirukaze-cli";
inline constexpr std::string_view kUsageErrorLine = "%s: %s\n";
inline constexpr std::string_view kUnknownOption = "unknown option '%s'";
inline constexpr std::string_view kMissingValue = "option '%s' needs a value";
inline constexpr std::string_view kUnexpectedValue = "option '%s' takes no value";
inline constexpr std::string_view kNotShiftJis =
    "the value of '%s' holds a character that Shift_JIS cannot represent";
inline constexpr std::string_view kNoCommand = "no command given";
inline constexpr std::string_view kUnknownCommand = "unknown command '%s'";
inline constexpr std::string_view kTooFewOperands = "'%s' needs more arguments";
inline constexpr std::string_view kTooManyOperands = "'%s' takes fewer arguments";
inline constexpr std::string_view kYesAndNo = "--yes and --no cannot be given together";
inline constexpr std::string_view kBadSetting = "--set wants SECTION/KEY=VALUE, not '%s'";
inline constexpr std::string_view kUnknownSetting = "--set: no setting %s/%s";
inline constexpr std::string_view kSettingNotInteger = "--set: %s/%s wants an integer, not '%s'";
// learn: the ruby file does not hold the text given ruby afresh. %s the ruby file, %s the text.
inline constexpr std::string_view kRubyFileOfAnotherText =
    "%s は %s のるびファイルではありません（るびを除いた文章が違います）。";
inline constexpr std::string_view kBadDicMode = "--dic-mode wants 0, 1 or 2, not '%s'";
inline constexpr std::string_view kBadReading =
    "--reading wants context or dictionary, not '%s'";
inline constexpr std::string_view kBadFirstOccurrence =
    "--first-occurrence wants every, document or paragraph, not '%s'";
inline constexpr std::string_view kBadFormat = "--format wants odt, docx or html5, not '%s'";
inline constexpr std::string_view kBadKind = "--kind wants one of: %s; not '%s'";
inline constexpr std::string_view kUnknownAction =
    "dic wants list, add, remove, remove-all, select or mode, not '%s'";
inline constexpr std::string_view kBadActionArguments = "wrong number of arguments for 'dic %s'";
inline constexpr std::string_view kBadIndex = "an INDEX is a number (0 or more), not '%s'";
inline constexpr std::string_view kBadSelection = "dic select wants an INDEX or std, not '%s'";
inline constexpr std::string_view kBadMode = "dic mode wants 0, 1 or 2, not '%s'";
inline constexpr std::string_view kNameNotShiftJis =
    "the dictionary name holds a character that Shift_JIS cannot represent";
inline constexpr std::string_view kBadOffset = "--from wants a byte offset (0 or more), not '%s'";
inline constexpr std::string_view kBadNumber = "%s wants a whole number from %d to %d, not '%s'";
inline constexpr std::string_view kBadCount = "%s wants a whole number from %d up, not '%s'";
inline constexpr std::string_view kBadByteSize =
    "%s wants a number of bytes above 0, optionally with K, M or G, not '%s'";
inline constexpr std::string_view kBadChoice = "%s wants %s, not '%s'";
inline constexpr std::string_view kMissingChoice = "%s is required: %s";
inline constexpr std::string_view kBadEncoding = "--encoding wants auto, sjis or utf-8, not '%s'";
inline constexpr std::string_view kUsageLine = "Usage: %s %s\n";
inline constexpr std::string_view kVersionLine = "%s %s\n";
inline constexpr std::string_view kVersionContext = "reading in context: %s\n";
inline constexpr std::string_view kVersionNoContext =
    "reading in context: not available; the main dictionary reads alone\n%s\n";
inline constexpr std::string_view kVersionHugePages =
    "memory: freed blocks kept for reuse; the heap grown by %d MB at once, %d MB of it marked "
    "for huge pages\n";
inline constexpr std::string_view kVersionNoHugePages =
    "memory: freed blocks kept for reuse; the heap grown by %d MB at once; the system gives no "
    "huge pages\n";
inline constexpr std::string_view kVersionOtherHeap =
    "memory: freed blocks kept for reuse; the heap did not grow at the program break (as under a "
    "checking allocator), so no huge pages are asked for\n";
inline constexpr std::string_view kMoreHelp = "Try '%s --help' for more information.\n";

// Help texts.
inline constexpr std::string_view kGlobalUsage = "[GLOBAL OPTIONS] COMMAND [OPTIONS] ARGS...";
inline constexpr std::string_view kHelpIntro =
    "Gives Japanese text (Shift_JIS or UTF-8) furigana (ruby) in the notation {漢/かん}{字/じ}.\n";
inline constexpr std::string_view kHelpCommands = "\nCommands:\n";
inline constexpr std::string_view kHelpOptions = "\nOptions:\n";
inline constexpr std::string_view kHelpGlobalOptions =
    "\nGlobal options (before or after the command name):\n";
inline constexpr std::string_view kHelpFooter =
    "\nEvery message goes to stderr as 【TITLE】 TEXT. Without --yes or --no a question is\n"
    "asked on the terminal, and answered Cancel / No when standard input is not one.\n"
    "Exit status: 0 success, 1 failed or refused, 2 usage error.\n";
// Said on stderr before standard input is read from a terminal.
inline constexpr std::string_view kReadingTerminal =
    "%s: reading the text from the terminal; end it with Ctrl-D\n";
using jobs::messages::kStandardInputName;
inline constexpr std::string_view kOneFileWithOutput = "-o OUT takes one FILE";
inline constexpr std::string_view kStandardInputNeedsOutput =
    "SOURCE - needs -o DIC to name the dictionary";
inline constexpr std::string_view kOpenNeedsFile =
    "--open shows a page file: give -o OUT with FILE -";
inline constexpr std::string_view kHelpCommandHint =
    "Run '%s COMMAND --help' for the options of a command.\n";

}  // namespace cli::messages
