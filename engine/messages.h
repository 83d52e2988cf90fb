// Message texts and titles of the ruby passes (UTF-8), filled in by common::FormatMessage.
#pragma once

#include <string_view>

#include "common/messages.h"

namespace engine::messages {

inline constexpr std::string_view kTitleWarning = "Warning";
inline constexpr std::string_view kTitleGoodbye = "再見。";
inline constexpr std::string_view kTitleCaution = "ご注意!!";
inline constexpr std::string_view kTitleCautionPlain = "ご注意";

// Pieces of the status-line progress text that the steps of a ruby command append.
inline constexpr std::string_view kProgressChecked = "C";
inline constexpr std::string_view kProgressMarked = "N";
inline constexpr std::string_view kProgressPass = "->";
inline constexpr std::string_view kProgressCleanUp = "S";
// After the clean-up, while the ruby window colours its groups as it opens.
inline constexpr std::string_view kProgressEmphasis = "M[強調中･･･Esc中止]";

// A list of matching passes longer than one run plays (a fault of the caller, never of a text).
inline constexpr std::string_view kTooManyPasses =
    "a ruby run plays at most %d matching passes; %d were given";

// Working files of a dictionary run, named by their paths; a file not written says why
// (common::WriteFailureCause).
inline constexpr std::string_view kPassInputMissing = "作業ファイル<%s>を読み込めませんでした。";
inline constexpr std::string_view kCannotOpenPassOutput = "作業ファイル<%s>を作れませんでした。%s";
inline constexpr std::string_view kPassOutputNotClosed =
    "作業ファイル<%s>を最後まで書き込めませんでした。%s";
inline constexpr std::string_view kPassInputNotClosed =
    "作業ファイル<%s>を最後まで読み込めませんでした。";

// Guards and preparation of a ruby command.
inline constexpr std::string_view kRubyWindowOpen =
    "るび振りWindowがすでに開いています。\nるび振りWindowを閉じてから実行してください！";
inline constexpr std::string_view kNothingToRuby = "るび振りする内容がありません！";
// A NUL byte would end the matching passes' input and lose the rest of the text.
inline constexpr std::string_view kTextHoldsNul =
    "%d 行目に NUL 文字 (0x00) があります。\n"
    "この文字から後ろが失われるため、るび振りは中止します。\n"
    "文字を取り除いてから実行してください。";
inline constexpr std::string_view kTextNotRead =
    "文書<%s>を読み込めませんでした。\nるび振りは中止します。";
inline constexpr std::string_view kPreparedTextNotWritten =
    "作業ファイル<%s>を書き込めませんでした。\nるび振りは中止します。";

// Dictionary application, naming and the abort report.
inline constexpr std::string_view kWorkingFileMissing = "%s が存在しません。";
inline constexpr std::string_view kRubyFileNotWritten = "るびファイル<%s>を書き込めませんでした。";
inline constexpr std::string_view kWorkFolderFull =
    "作業フォルダ<%s>のディスクに空きがありません。\n空きを作ってから実行してください。";
inline constexpr std::string_view kAborted = "%sの途中で問題が発生しました。\nるび振りは中止します。";

// Titles of the filter dialogs and the auxiliary dictionaries.
inline constexpr std::string_view kTitleConfirm = "ご確認！";
inline constexpr std::string_view kTitleCautionBang = "ご注意！";
inline constexpr std::string_view kTitleCautionDouble = "ご注意！！";
inline constexpr std::string_view kTitleDataReport = "大事なご報告";

// Refusals of the grade dialog.
inline constexpr std::string_view kGradeRangeReversed =
    "右欄の学年は左欄の学年より上にして下さい。";

// Refusals of the level dialog.
inline constexpr std::string_view kLevelRangeReversed =
    "級の範囲の設定が不正です。\n\n　下位級(易) ～ 上位級(難) \n\nの順に設定してください。";
inline constexpr std::string_view kLevelNotChosen = "級の指定がありません。\n\n確認してください。";

// Refusals of the line-and-field dialog.
using common::messages::kMarkMissing;
using common::messages::kSeparatorMissing;
inline constexpr std::string_view kSeparatorNotSingleByte =
    "フィールド・セパレーターは\n半角１字です。\n（タブは \\t）";
inline constexpr std::string_view kFieldRangeReversed =
    "フィールドは 左欄＜右欄 となるように，数値をセットして下さい。";
inline constexpr std::string_view kMarkCannotBeDeleted = common::messages::kMarkCannotBeCut;
// A value that no control of the dialog can show, set in the settings file or on the command
// line; the filter would otherwise run on a range nobody chose.
inline constexpr std::string_view kSettingOutOfRange =
    "設定 %s の値 %d は範囲外です。\n\n設定を確認してください。";

// The list of school 熟字訓 (the grade and level dictionaries report their own faults).
inline constexpr std::string_view kJukujikunListUnreadable =
    "<小学熟字訓.txt> が読み込めない。!! \n\ndicフォルダーを確認して下さい。";

// Header and summary lines of the grade filter's result.
inline constexpr std::string_view kGradeHeaderSingle = "★★★ %d年の配当漢字のみにルビ\n";
inline constexpr std::string_view kGradeHeaderRange = "★★★ %d年～%d年の配当漢字にルビ\n";
inline constexpr std::string_view kGradeHeaderAndAbove = "★★★ %d年以上の配当漢字～全漢字にルビ\n";
inline constexpr std::string_view kGradeHeaderAndBelow = "★★★ %d年以下の配当漢字全部にルビ\n";
inline constexpr std::string_view kGradeHeaderEducationOnly = "★★★ 教育漢字のみにルビ\n";
inline constexpr std::string_view kGradeSummary =
    "　>>>> 非許容(要るび)の漢字は %d 個ありました <<<<\n　▼　　本　　文　　▼\n";

// Header and summary lines of the level filter's result.
inline constexpr std::string_view kLevelHeaderSingle = "☆☆☆　指定漢検級(単独)：%s ☆☆☆\n\n";
inline constexpr std::string_view kLevelHeaderRange = "☆☆☆　指定漢検級(範囲)：%s～%s ☆☆☆\n\n";
inline constexpr std::string_view kLevelHeaderAndAbove = "☆☆☆　指定漢検級：%s以上(～級外) ☆☆☆\n\n";
inline constexpr std::string_view kLevelHeaderAndBelow =
    "☆☆☆　指定漢検級：%s以下(～１０級まで) ☆☆☆\n\n";
inline constexpr std::string_view kLevelHeaderOutsideOnly = "☆☆☆　指定漢検級：（級外）☆☆☆\n";
inline constexpr std::string_view kLevelSummary =
    "　>>>> 指定級の漢字は %d 個ありました <<<<\n　▽　本　文　▽\n";

// The context reading of a ruby command: why it fell back to the dictionaries alone.
inline constexpr std::string_view kTitleNotice = "お知らせ";
inline constexpr std::string_view kNoMecab =
    "文の流れから読みを決める形態素解析器 MeCab (パッケージ libmecab2) がありません。\n"
    "読みは辞書だけで付けます。文脈で読むには libmecab2 と unidic-mecab を"
    "インストールしてください。";
inline constexpr std::string_view kNoUnidic =
    "文の流れから読みを決めるための辞書 UniDic (パッケージ unidic-mecab) がありません。\n"
    "読みは辞書だけで付けます。文脈で読むには unidic-mecab をインストールしてください。";
inline constexpr std::string_view kUnidicUnreadable =
    "MeCab が UniDic を開けませんでした。読みは辞書だけで付けます。\n"
    "unidic-mecab を入れ直してください (sudo apt-get install --reinstall unidic-mecab)。";
inline constexpr std::string_view kUnidicDamaged =
    "UniDic (%s) が壊れています。%s。読みは辞書だけで付けます。\n"
    "unidic-mecab を入れ直してください (sudo apt-get install --reinstall unidic-mecab)。";
inline constexpr std::string_view kContextFailed =
    "文の流れから読みを決める途中で解析器が止まりました。読みは辞書だけで付けます。";

}  // namespace engine::messages
