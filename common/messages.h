// Message texts and titles of the notation check, the external applications, the mark and
// separator entries, the editing windows' documents and the program folder (UTF-8), filled in by common::FormatMessage.
#pragma once

#include <string_view>

namespace common::messages {

inline constexpr std::string_view kTitleCaution = "ご注意！";
inline constexpr std::string_view kTitleWarning = "Warning";

// The one message, from every front end, for a text holding a character Shift_JIS cannot hold:
// the text's name, the character's line and column, and the character.
inline constexpr std::string_view kUnencodable =
    "<%s>の %d 行 %d 字目の文字<%s>は Shift_JIS にありません。\n何も書きませんでした。";

// Why a file could not be written (common::WriteFailureCause), said after the file's name.
inline constexpr std::string_view kCauseNameTooLong = "名前が長すぎます。短い名前にしてください。";
inline constexpr std::string_view kCauseNoFolder = "フォルダ<%s>がありません。";
inline constexpr std::string_view kCauseReadOnlyFile =
    "読み取り専用のファイルです。書き込みを許すか、別の名前にしてください。";
inline constexpr std::string_view kCauseReadOnlyDisk = "読み取り専用のディスクにあります。";
inline constexpr std::string_view kCauseNoPermission = "そのフォルダに書き込む権限がありません。";
inline constexpr std::string_view kCauseDiskFull = "ディスクに空きがありません。";
inline constexpr std::string_view kCauseFileTooLarge =
    "ファイルの大きさの上限を超えました。";
inline constexpr std::string_view kCauseIsFolder = "同じ名前のフォルダがあります。";
inline constexpr std::string_view kCauseDeviceError = "ディスクの読み書きでエラーが起きました。";
inline constexpr std::string_view kCauseOther = "原因はシステムのエラー番号 %d です。";

// A malformed ruby group; %d is the 1-based line of the fault.
inline constexpr std::string_view kTitleFault = "警告";
inline constexpr std::string_view kReadingTooLong = "%d 行目::るびかなの数が 20 字を超えている。";
inline constexpr std::string_view kBaseTooLong = "%d 行目::漢字数が 10 字を超えている。";
inline constexpr std::string_view kUnbalancedBraces = "%d 行目::<{>と<}>の数が不一致。";
inline constexpr std::string_view kNoBaseAfterBrace = "%d 行目::<{> の直後は全角の漢字にせよ。";
inline constexpr std::string_view kBaseNotEnded =
    "%d 行目::<{ / }> の内部は、/ の後にるびがなが必要。";
inline constexpr std::string_view kReadingNotKana =
    "%d 行目::<{漢字/***}> の***は全角のひらがなにせよ。\n"
    "もしくは、ひらがなの後は半角 } で閉じよ。";
inline constexpr std::string_view kNoReading = "%d 行目::◆<{ }> の内部にるびがながない。";
inline constexpr std::string_view kKanjiInReading =
    "%d 行目::◆<{ }> の内部でるびがなの後にまた漢字がある。";
inline constexpr std::string_view kSeparatorFound =
    "%d 行目::複数読みｾﾊﾟﾚｰﾀの '|' を捕捉しました。";

// The explicit check command.
inline constexpr std::string_view kNothingToCheck = "テストする内容がない！";
inline constexpr std::string_view kTitleNothingToCheck = "ご確認!!";
inline constexpr std::string_view kCheckPassed =
    "【ファイル】: %s\n"
    "[ %d行(物理行)%d字目］からCheck開始\n"
    "【総行数(論理行)】: %d 行\n"
    "【総ルビ数】: %d 箇所\n"
    "\n"
    "不正な箇所はありません。";
inline constexpr std::string_view kTitleCheckPassed = "ご苦労様!!";

// External applications: their registration and their start on a window's file.
inline constexpr std::string_view kApplicationCaption = "◆ %s";
inline constexpr std::string_view kNoApplicationCaption = "・・・・・";
inline constexpr std::string_view kTitleSameName = "ご注意";
inline constexpr std::string_view kSameApplicationName =
    "登録済みのものと同名です。\n別の名称にして下さい。";
inline constexpr std::string_view kApplicationsFull =
    "登録できるアプリケーションは %d 個までです。\n取り消してから登録して下さい。";
inline constexpr std::string_view kTitleConfirmRemoval = "ご確認";
inline constexpr std::string_view kConfirmRemoval = "本当に取り消していいですか？";
inline constexpr std::string_view kTitleReport = "ご報告";
inline constexpr std::string_view kNothingTicked = "チェック項目がありませんでした。";
inline constexpr std::string_view kTitleRequest = "お願い";
inline constexpr std::string_view kNoPathShown = "<パス＆ファイル名>を表示させて下さい。";
inline constexpr std::string_view kProgramExists = "<パス＆ファイル名>は確かに存在します。";
inline constexpr std::string_view kProgramMissing = "<パス＆ファイル名>が存在しません。";
// The text could not be written to its file (that message came first); %s the file.
inline constexpr std::string_view kTitleNotLaunched = kTitleCaution;
inline constexpr std::string_view kNotLaunchedUnwritten =
    "%s に書き込めなかったので、アプリケーションは起動しませんでした。";

// The entries of line-and-field ruby and of the YMI options: the line-head mark and the field
// separator.
inline constexpr std::string_view kMarkMissing = "行頭マーク文字列を指定して下さい。";
inline constexpr std::string_view kSeparatorMissing = "フィールド・セパレーターを指定して下さい。";
inline constexpr std::string_view kMarkCannotBeCut =
    "マーク文字列中に\n\n　半角カンマ　< , > \n　半角中括弧　< { > "
    "\n\nがあると、\n\n削除はできません。";

// The documents of the editing windows. %s is the path.
inline constexpr std::string_view kCannotReadDocument = "%s を読み込めません。";
inline constexpr std::string_view kNotShiftJis =
    "%s には Shift_JIS として読めないバイトがあります。\n"
    "その部分は「\xEF\xBF\xBD」で表示しています。";
// A file the guess takes for Shift_JIS that is UTF-8 but for a few broken bytes: its path, the
// line and the byte (from 1) of the first break and its bytes in hex; answered yes, no or cancel.
inline constexpr std::string_view kBrokenUtf8Document =
    "%s は UTF-8 のテキストですが、%d 行目（先頭から %d バイト目）の<%s>が UTF-8 になりません。\n"
    "Shift_JIS として読むと文字化けします。\n\n"
    "「はい」　UTF-8 として開く（そのバイトは「\xEF\xBF\xBD」で表示し、保存するとそれに置き換わります）\n"
    "「いいえ」Shift_JIS として開く\n"
    "「キャンセル」開かない";
inline constexpr std::string_view kCannotWriteDocument =
    "%s に書き込めません。\n元のファイルはそのままです。";

// The program folder named at start (--home) is not a folder.
inline constexpr std::string_view kNoProgramDir = "プログラムフォルダ<%s>がありません。";

}  // namespace common::messages
