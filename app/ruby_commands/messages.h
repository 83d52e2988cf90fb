// Message texts and titles of the ruby commands and their dialogs (UTF-8), filled in by
// common::FormatMessage. The guards and refusals that the core shares are in engine/messages.h.
#pragma once

#include <string_view>

#include "app/dialogs/messages.h"
#include "common/view/messages.h"

namespace app::messages {

inline constexpr std::string_view kTitleCheckAgain = "ご確認！。";
using common::view::kTitleNotice;

inline constexpr std::string_view kNoMarkedLine =
    "行頭マーク < %s > で始まる行がありません。\nるびは振りませんでした。";

// The empty ruby window has "は" where the guard of the passes has "が".
inline constexpr std::string_view kRubyWindowAlreadyOpen =
    "るび振りWindowはすでに開いています。\nるび振りWindowを閉じてから実行してください！";

// The status line after a pass: the ruby file and the encoding it was written in.
inline constexpr std::string_view kRubyFileWritten = "ルビファイル<%s>を %s で書きました。%s";
// Which reading a run took, after the file's name on the status line.
inline constexpr std::string_view kReadInContext = "（読み: 文脈から）";
inline constexpr std::string_view kReadByDictionary = "（読み: 辞書のみ）";

inline constexpr std::string_view kBadDicPattern =
    "辞書の使用パターン DIC_PATTERN=%d は使えません。\n辞書選択で設定し直してください。";

}  // namespace app::messages
