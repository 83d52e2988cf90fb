// Message texts and titles of the ruby window's checks (UTF-8), filled in by
// common::FormatMessage.
#pragma once

#include <string_view>

#include "common/messages.h"

namespace rubywindow::messages {

// Pages, YMI and NNN files.
inline constexpr std::string_view kTitleCaution = "ご注意!!";
inline constexpr std::string_view kTitleWarning = "Warning";
inline constexpr std::string_view kTitleReport = "ご報告";
// The file, then why (common::WriteFailureCause).
inline constexpr std::string_view kPageNotCreated = "ブラウザ用のページ<%s>を作れませんでした。%s";
inline constexpr std::string_view kOutputNotOpened = "ファイル<%s>を書き込めませんでした。%s";
// The text a page or file is made from could not be read whole, so nothing was written.
inline constexpr std::string_view kTextNotRead =
    "文書を最後まで読み込めませんでした。\n%s は書きませんでした。";
inline constexpr std::string_view kOutputIsInput =
    "%s は変換する文書そのものです。\n文書を上書きしないよう、何も書きませんでした。";
inline constexpr std::string_view kNothingToShow = "表示する内容がありません！";
inline constexpr std::string_view kShowingPage = "[ %s ] を表示します。";
inline constexpr std::string_view kTitleShowingPage = "ご報告！";

// Starting the browser.
inline constexpr std::string_view kBrowserNotStarted =
    "ブラウザが開けません。正しく設定して下さい。";
inline constexpr std::string_view kBrowserStillNotStarted =
    "ブラウザが開けません。よく調べて下さい。";
inline constexpr std::string_view kTitleBrowserProgram = "WWW プログラム";

// YMI.
inline constexpr std::string_view kYmiWindowOpen = "YMI画面を閉じてから実行して下さい。";
inline constexpr std::string_view kFieldsOutOfOrder =
    "左のフィールド≦右のフィールド にして下さい。";
inline constexpr std::string_view kTitleConfirm = "ご確認！";
inline constexpr std::string_view kNoLineHeadMark = common::messages::kMarkMissing;
inline constexpr std::string_view kTitleCautionFullWidth = "ご注意！";
inline constexpr std::string_view kNoSeparator = common::messages::kSeparatorMissing;
inline constexpr std::string_view kSeparatorNotSingleByte =
    "フィールド・セパレーターは\n半角１字です。";
inline constexpr std::string_view kTitleCautionPlain = "ご注意";
inline constexpr std::string_view kMarkCannotBeRemoved = common::messages::kMarkCannotBeCut;
inline constexpr std::string_view kTitleConfirmTwice = "ご確認!!";
inline constexpr std::string_view kYmiNoMarkers = "元ﾌｨｰﾙﾄﾞ部<@@@@1>,読み部<@@@@2>がありません。";
inline constexpr std::string_view kYmiNoReadingMarker = "読み部<@@@@2>がありません。";
inline constexpr std::string_view kYmiNoTextMarker = "元ﾌｨｰﾙﾄﾞ部<@@@@1>がありません。";
inline constexpr std::string_view kTitleYmiMarkers = "■警告■";

// NNN.
inline constexpr std::string_view kNnnWindowOpen = "NNN画面を閉じてから実行して下さい。";
inline constexpr std::string_view kTitleNnnWindowOpen = "ご注意。";
inline constexpr std::string_view kNothingToConvert = "変換する内容がありません！";
inline constexpr std::string_view kTitleNothingToConvert = "ご注意!!。";
inline constexpr std::string_view kNnnNoMarkers = "漢字部<****1>,ルビかな部<****4>がありません。";
inline constexpr std::string_view kNnnNoReadingMarker = "ルビかな部<****4>がありません。";
inline constexpr std::string_view kNnnNoBaseMarker = "漢字部<****1>がありません。";
inline constexpr std::string_view kRunAnyway = "\nこのまま実行していいですか。";
inline constexpr std::string_view kTitleNnnMarkers = "〓警告〓";
inline constexpr std::string_view kListLineIgnored = " >>この行は無効です。";

// Ruby repair.
inline constexpr std::string_view kAskWholeDocument =
    "◆変換ルビを指定する場合は、\n　選択指定してから、\n　再度実行してください。\n\n　このまま実行"
    "しますか？";
inline constexpr std::string_view kTitleRepair = "注意!";
inline constexpr std::string_view kSelectionNotAtGroup =
    "01:ルビ部の { ～ } までを選択してください。";
inline constexpr std::string_view kSelectionNotClosed =
    "◆ルビ部の {…/…} を，あるいは\n　{…/…} ～ {…/…} までを\n　選択＆再実行してください。";
inline constexpr std::string_view kTitleSelectionNotClosed = "ご確認!";
inline constexpr std::string_view kSelectionWithoutSlash = "03: { }間に / がありません。";

}  // namespace rubywindow::messages
