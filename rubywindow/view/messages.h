// Message texts, titles and fixed captions of the ruby window (UTF-8), filled in by
// common::FormatMessage. The checker's and the pages' own messages are in rubywindow/messages.h.
#pragma once

#include <string_view>

namespace rubywindow::view::messages {

// Window titles; %s is the document's file name.
inline constexpr std::string_view kWindowTitle = "みるかぜ (VR)【るび振り画面】 --- %s";
inline constexpr std::string_view kBuildReportTitle = "辞書作成エラーメセージ表示--- err_ck.out";

// Opening. %s is the path.
inline constexpr std::string_view kCannotOpen = "Can't open <%s>..\n";
inline constexpr std::string_view kTitleCannotOpen = "ご注意!!";
inline constexpr std::string_view kOpened = "%sを開きました。";
// A ruby file that a ruby command has just written; the second names the previous version's
// backup.
inline constexpr std::string_view kWritten = "%sを書き出しました。";
inline constexpr std::string_view kWrittenWithBackup = "%sを書き出しました（前の版は %s）。";
inline constexpr std::string_view kOpenDialogTitle = "rbﾌｧｲﾙ(????.?rb)を開く";
inline constexpr std::string_view kOpenDialogFilter =
    "るびファイル (*.?rb)|*.?RB|テキストファイル (*.txt)|*.TXT|すべてのファイル (*.*)|*.*";

// Saving. %s is the path.
inline constexpr std::string_view kNotEdited = "未編集なので保存の必要はありません。";
inline constexpr std::string_view kTitleNotEdited = "ご確認";
inline constexpr std::string_view kTitleSaveFile = "保存ファイル名";
inline constexpr std::string_view kReadOnly =
    "<%s>は読み出し専用ファイルです。\n属性を解除して書き込みますか？";
inline constexpr std::string_view kTitleReadOnly = "お知らせ";
inline constexpr std::string_view kReadOnlyNotCleared = "<%s>の読み出し専用属性を解除できません。";
inline constexpr std::string_view kNothingToSave = "保存する内容がありません！";
inline constexpr std::string_view kTitleNothingToSave = "ご注意!!";
inline constexpr std::string_view kSaved = "%sを保存しました。";
inline constexpr std::string_view kSaveDialogTitle = "名前をつけて保存";

// The question before New, Open and closing.
inline constexpr std::string_view kUnsaved =
    "テキストは\n編集されましたが保存されていません。\n保存しますか？";
inline constexpr std::string_view kTitleUnsaved = "ご確認!!";
inline constexpr std::string_view kTitleUnsavedOnClose = "ご確認！";
// The program's exit question about this window; %s is the question above.
inline constexpr std::string_view kCloseQuery = "ＲＢ画面の%s";

// A conversion or check of a text holding a character Shift_JIS cannot hold. %s is the
// character as common::view::DescribeCharacter gives it, %d its line.
inline constexpr std::string_view kUnencodable =
    "%s（%d行目）は Shift_JIS で表せないため、実行できません。\n"
    "この文字を書き換えてから実行して下さい。";
inline constexpr std::string_view kTitleUnencodable = "ご注意!!";

// Choosing the browser program.
inline constexpr std::string_view kBrowserDialogTitle = "ブラウザ ファイルを指定";
// Programs carry no extension here; any file may be one.
inline constexpr std::string_view kBrowserDialogFilter = "ブラウザ ファイル (*)|*";

// A registered application that does not start, in the ruby, YMI and NNN windows.
inline constexpr std::string_view kTitleApplicationRefused = "ご確認!!";
inline constexpr std::string_view kApplicationRefused =
    "実行できませんでした。\n\n正しく登録し直して下さい。";

}  // namespace rubywindow::view::messages
