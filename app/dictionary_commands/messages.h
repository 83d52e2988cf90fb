// Message texts, titles and dialog captions of the dictionary commands (UTF-8), filled in by
// common::FormatMessage. The steps' own messages are in dictionary/messages.h.
#pragma once

#include <string_view>

#include "common/view/messages.h"

namespace app::dictionary_messages {

using common::view::kTitleCaution;
inline constexpr std::string_view kTitleCautionDouble = "ご注意!!";

inline constexpr std::string_view kSourceDialogTitle = "辞書を作成するpreﾌｧｲﾙを指定";
inline constexpr std::string_view kSourceFilter =
    "辞書元ファイル(*.pre)|*.PRE|テキストファイル(*.txt)|*.TXT|すべてのファイル (*.*)|*.*";
inline constexpr std::string_view kRestoreDialogTitle = "preﾌｧｲﾙを復元する辞書を指定";
inline constexpr std::string_view kDictionaryFilter = "辞書ファイル (*.dic)|*.DIC";
inline constexpr std::string_view kRegisterDialogTitle = "登録する辞書を指定";
inline constexpr std::string_view kRegisterFilter = "辞書ファイル (*.dic)|*.DIC";

using common::view::kCannotOpenFile;
inline constexpr std::string_view kRestoreNeedsEmptyWindow =
    "新規作成画面にしてから、実行して下さい。";

// A build runs on while the window takes other commands; these keep a second one, and the end
// of the program, from cutting into it.
inline constexpr std::string_view kBuildRunning =
    "辞書を作成中です。\n作成が終わってから実行してください。";
inline constexpr std::string_view kCloseWhileBuilding =
    "辞書を作成中です。\n作成が終わってから終了してください。";
inline constexpr std::string_view kProgressBuilding = "準備中";

}  // namespace app::dictionary_messages
