// Message texts, titles and captions of the YMI and NNN windows and of the dialogs that write
// their files (UTF-8), filled in by common::FormatMessage.
#pragma once

#include <string_view>

namespace rubywindow::view::messages {

// The application's title, which some questions of the YMI and NNN windows carry.
inline constexpr std::string_view kTitleApplication = "TesmaroVR v1.12";

// The YMI window. %s is the path.
inline constexpr std::string_view kYmiWindowTitle = "みるかぜ【ＹＭＩファイル画面】 --- %s";
inline constexpr std::string_view kYmiNewText = "<新規テキスト>";
inline constexpr std::string_view kYmiMissing = "%s がありません。";
inline constexpr std::string_view kTitleYmiMissing = "ご注意!!";
inline constexpr std::string_view kYmiNotEdited = "未編集なので同名保存はしません。";
inline constexpr std::string_view kYmiFilter =
    "YMIファイル (*.ymi)|*.YMI|テキストファイル (*.txt)|*.TXT|すべてのファイル (*.*)|*.*";
inline constexpr std::string_view kYmiCloseQuery = "ＹＭＩ画面の%s";

// The NNN window. %s is the path.
inline constexpr std::string_view kNnnWindowTitle = "みるかぜ【ＮＮＮファイル画面】 --- %s";
inline constexpr std::string_view kNnnMissing = "%s がありません。\n残念です！";
inline constexpr std::string_view kTitleNnnMissing = "ご確認!!";
inline constexpr std::string_view kNnnNotEdited = "編集されていないので同名保存はしません。";
inline constexpr std::string_view kNnnUnsavedBeforeOpen =
    "編集されたテキストが保存されていません。\n保存しますか？";
inline constexpr std::string_view kNnnFilter =
    "NNNファイル (*.nnn)|*.NNN|テキストファイル (*.txt)|*.TXT|すべてのファイル (*.*)|*.*";
inline constexpr std::string_view kNnnCloseQuery = "ＮＮＮ画面の%s";

// Both windows.
inline constexpr std::string_view kOutputOpenTitle = "ファイルを開く";
inline constexpr std::string_view kTitleOutputConfirm = "ご確認";

// The template list editor: the caret's line and column, and a line beyond the twentieth.
inline constexpr std::string_view kListEditorTitle =
    "変換形式リストの編集(１行半角６８字 ２０行以内…２１行以降は)";
inline constexpr std::string_view kListPosition = "［ %d 行： %d字目";

// Ruby emphasis settings.
inline constexpr std::string_view kEmphasisDialogTitle = "■強調表示するるびの設定■";

}  // namespace rubywindow::view::messages
