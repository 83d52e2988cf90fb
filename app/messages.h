// Message texts, titles and fixed names of the application shell (UTF-8), filled in by
// common::FormatMessage.
#pragma once

#include <string_view>

#include "common/messages.h"
#include "common/view/messages.h"

namespace app::messages {

using common::view::kApplicationTitle;
inline constexpr std::string_view kMainWindowTitle =
    "『みるかぜ (VR)』v112.【オリジナル画面】 --- %s";
inline constexpr std::string_view kNewFileName = "新規作成.txt";
// The name of the lock that lets one copy of the program run per user.
inline constexpr std::string_view kInstanceLockName = "TesmaroVR11";

using common::view::kTitleNotice;
inline constexpr std::string_view kTitleConfirm = "ご確認";
inline constexpr std::string_view kTitleConfirmStrong = "ご確認！";

// Unsaved text: asked by New and Open, and at exit inside each window's own question.
using common::view::kUnsavedText;

// The close query, asked window by window; each window has its own line of it.
inline constexpr std::string_view kTitleCloseQuery = "終了時のご確認";
inline constexpr std::string_view kCloseQueryMain = "オリジナル画面の%s";

// Files.
inline constexpr std::string_view kOpenDialogTitle = "るびを振るﾃｷｽﾄﾌｧｲﾙを開く";
using common::view::kSaveDialogTitle;
inline constexpr std::string_view kTextFileFilter =
    "テキストファイル (*.txt)|*.TXT|HTMLファイル (*.htm;*.html)|*.HTM;*.HTML|"
    "すべてのファイル (*.*)|*.*";
inline constexpr std::string_view kNotEdited = "未編集なので保存しません。";
inline constexpr std::string_view kNothingToSave = "保存する内容がありません。";
using common::view::kReadOnlyFile;
inline constexpr std::string_view kReadOnlyNotCleared =
    "<%s>の読み出し専用属性を解除できませんでした。\n保存は中止します。";
using common::view::kOpenedStatus;
using common::view::kSavedStatus;

// Shrink to the standard size.
inline constexpr std::string_view kTitleShrink = "縮小";
// The window's top and left, then the standard height and width it now has.
inline constexpr std::string_view kShrunk =
    "ウィンドウを上から %d・左から %d の位置に移し、標準の大きさ（高さ %d・幅 %d）にしました。";

// Help: the user guide beside the program.
inline constexpr std::string_view kHelpMissing = "%s が見あたりません。";

// The settings file could not be replaced; the previous one stays. Told once until a write works.
inline constexpr std::string_view kSettingsNotSaved =
    "設定ファイル<%s>を書き込めませんでした。\n"
    "変えた設定は、書き込めるようになるまで保存されません。";

// Start-up.
inline constexpr std::string_view kTitleStartFailed = "ご注意!!";
using common::messages::kNoProgramDir;
// Text a previous run left unsaved, offered back at start.
inline constexpr std::string_view kTitleUnsavedTexts = "未保存の文章";
inline constexpr std::string_view kUnsavedTextsLeft =
    "前回、保存されないまま終わった文章があります。\n%s\n元の画面に戻しますか？\n"
    "「いいえ」を選ぶと、これらの文章は捨てられます。";
inline constexpr std::string_view kUnsavedTextOfMain = "・オリジナル画面: %s";
inline constexpr std::string_view kUnsavedTextOfRuby = "・ＲＢ画面: %s";
// The file of the command line (its name), when the main text window took back its unsaved
// text instead.
inline constexpr std::string_view kFileLeftForRestoredText =
    "未保存の文章を戻しました。%s は読み込んでいません。";
inline constexpr std::string_view kNoWorkDir = "作業フォルダを<%s>に作れませんでした。";

// A registered application that does not start.
inline constexpr std::string_view kTitleApplicationRefused = "ご注意！";
inline constexpr std::string_view kApplicationRefused = "実行できませんでした。\n\n登録し直して下さい。";

}  // namespace app::messages
