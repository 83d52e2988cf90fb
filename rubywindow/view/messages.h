// Message texts, titles and fixed captions of the ruby window, the YMI and NNN windows and their
// dialogs (UTF-8), filled in by common::FormatMessage. The checker's and the pages' own messages
// are in rubywindow/messages.h; the texts every text window shares are in common/view/messages.h.
#pragma once

#include <string_view>

#include "common/view/messages.h"

namespace rubywindow::view::messages {

// Window titles; %s is the document's file name.
inline constexpr std::string_view kWindowTitle = "みるかぜ (VR)【るび振り画面】 --- %s";
inline constexpr std::string_view kBuildReportTitle = "辞書作成エラーメセージ表示--- err_ck.out";

// Opening. %s is the path.
using common::view::kCannotOpenFile;
inline constexpr std::string_view kTitleCannotOpen = "ご注意!!";
using common::view::kOpenedStatus;
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
using common::view::kReadOnlyFile;
inline constexpr std::string_view kTitleReadOnly = common::view::kTitleNotice;
inline constexpr std::string_view kReadOnlyNotCleared = "<%s>の読み出し専用属性を解除できません。";
inline constexpr std::string_view kNothingToSave = "保存する内容がありません！";
inline constexpr std::string_view kTitleNothingToSave = "ご注意!!";
using common::view::kSaveDialogTitle;
using common::view::kSavedStatus;

// The question before New, Open and closing.
using common::view::kUnsavedText;
inline constexpr std::string_view kTitleUnsaved = "ご確認!!";
inline constexpr std::string_view kTitleUnsavedOnClose = "ご確認！";
// The program's exit question about this window; %s is the question above.
inline constexpr std::string_view kCloseQuery = "ＲＢ画面の%s";

// A conversion or check of a text holding a character Shift_JIS cannot hold. %s is the
// character as common::view::DescribeCharacter gives it, %d its line.
inline constexpr std::string_view kUnencodable =
    "%s（%d行 %d字目）は Shift_JIS で表せないため、実行できません。\n"
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

// The YMI and NNN windows and the dialogs that write their files.
// The application's title, which some questions of the YMI and NNN windows carry.
using common::view::kApplicationTitle;

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
inline constexpr std::string_view kNnnFilter =
    "NNNファイル (*.nnn)|*.NNN|テキストファイル (*.txt)|*.TXT|すべてのファイル (*.*)|*.*";
inline constexpr std::string_view kNnnCloseQuery = "ＮＮＮ画面の%s";
inline constexpr std::string_view kNnnUnsavedBeforeOpen =
    "編集されたテキストが保存されていません。\n保存しますか？";

// Both windows.
inline constexpr std::string_view kOutputOpenTitle = "ファイルを開く";
inline constexpr std::string_view kTitleOutputConfirm = "ご確認";

// The template list editor: the caret's line and column, and a line beyond the twentieth.
inline constexpr std::string_view kListEditorTitle =
    "変換形式リストの編集(１行半角６８字 ２０行以内…２１行以降は)";
inline constexpr std::string_view kListPosition = "［ %d 行： %d字目";

// Ruby emphasis settings.
inline constexpr std::string_view kEmphasisDialogTitle = "■強調表示するるびの設定■";

// 読みを選ぶ (F4) where the caret is at no group offering alternative readings.
inline constexpr std::string_view kNoReadingsAtCaret = "ここに複数の読みを持つルビ部はありません。";

// An exported worksheet. %s is the path.
inline constexpr std::string_view kTitleSheetWritten = "ご報告";
inline constexpr std::string_view kSheetWritten = "%s を書き出しました。";

// この読みを辞書に登録. kLearnQuestion: %s the user dictionary's file name, %s the list.
inline constexpr std::string_view kTitleLearn = "辞書に登録";
inline constexpr std::string_view kNothingToLearn = "手で直した読みはありません。";
inline constexpr std::string_view kLearnQuestion =
    "次の語を %s に登録して、辞書を作り直します。\n\n%s";
inline constexpr std::string_view kLearnAdded = "登録する語:";
inline constexpr std::string_view kLearnKnown = "登録済みの語:";
inline constexpr std::string_view kLearnConflicts = "辞書の読みと違う語（辞書のままにします）:";
inline constexpr std::string_view kLearnHeld = "（辞書: %s）";
// The dictionary is built beside the window: %s the dictionary's file name; kLearnt and
// kLearnNotBuilt also %d the number of words added to its source first.
inline constexpr std::string_view kLearnBuilding = "%s を作成しています…";
inline constexpr std::string_view kLearnt = "%d 語を %s に登録しました。";
inline constexpr std::string_view kLearnNotBuilt =
    "%d 語を %s の元ファイルに書きましたが、辞書は作成できませんでした。";
inline constexpr std::string_view kLearnSourceNotWritten = "%s に登録できませんでした。";
// A ruby file saved with readings corrected by hand: %s the user dictionary's file name, %s the
// list. The check box turns the question off (LEARNONSAVE).
inline constexpr std::string_view kLearnOnSaveQuestion =
    "手で直した読みがあります。次の語を %s に登録して、辞書を作り直しますか？\n\n%s";
inline constexpr std::string_view kLearnOnSaveNeverAsk = "今後は確認しない";
// Another build (a learn, or one from the main window) is running.
inline constexpr std::string_view kLearnWhileBuilding =
    "辞書を作成中です。\n作成が終わってから登録してください。";

}  // namespace rubywindow::view::messages
