// Texts and titles of the messages the editing windows' shared commands show (UTF-8), filled in
// by common::FormatMessage.
#pragma once

#include <string_view>

#include "common/messages.h"

namespace common::view {

// The program's name, the title of some questions.
inline constexpr std::string_view kApplicationTitle = "TesmaroVR v1.12";

inline constexpr std::string_view kTitleNotice = "お知らせ";
using common::messages::kTitleCaution;
using common::messages::kTitleWarning;

// Search.
inline constexpr std::string_view kNotFoundAfter =
    "検索文字列 < %s > は、\n\nカーソル位置より後には\n\n(もう)ありません。";
inline constexpr std::string_view kNotFoundBefore =
    "検索文字列 < %s > は、\n\nカーソル位置より前には\n\n(もう)ありません。";

// Files. %s is the path.
inline constexpr std::string_view kCannotOpenFile = "ファイル<%s>を開けませんでした。";
// The text windows' file commands: the status line after Open and Save, the Save As dialog,
// the question before writing over a read-only file, and the one about unsaved text (before
// New and Open, when a window closes, and inside the program's exit question).
inline constexpr std::string_view kOpenedStatus = "%sを開きました。";
inline constexpr std::string_view kSavedStatus = "%sを保存しました。";
inline constexpr std::string_view kSaveDialogTitle = "名前をつけて保存";
inline constexpr std::string_view kReadOnlyFile =
    "<%s>は読み出し専用ファイルです。\n属性を解除して書き込みますか？";
inline constexpr std::string_view kUnsavedText =
    "テキストは\n編集されましたが保存されていません。\n保存しますか？";

// Printing.
inline constexpr std::string_view kPrintNoRoom =
    "印刷余白が大きすぎて、用紙に印刷できる部分が残りません。\n"
    "印刷余白設定で余白を小さくして下さい。";
inline constexpr std::string_view kPrintNotStarted =
    "印刷を始められませんでした。\nプリンタや出力先のファイルを確かめて下さい。";

// "「X」（U+XXXX）": %s the character, %s its code point in hex.
inline constexpr std::string_view kCharacterDescription = "「%s」（U+%s）";

// Said once in the status line when the copy of unsaved text cannot be written.
inline constexpr std::string_view kUnsavedCopyFailed =
    "未保存の文章の控えを %s に書けません。こまめに保存してください。";

}  // namespace common::view
