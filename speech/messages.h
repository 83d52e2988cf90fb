// Message texts of read-aloud (UTF-8), and the sentences its settings window speaks.
#pragma once

#include <string_view>

namespace speech::messages {

// %s the operation, %s the system's reason.
inline constexpr std::string_view kTitleSpeechFailed = "ご注意！";
inline constexpr std::string_view kSpeechFailed = "音声の%sができませんでした。\n\n%s";

// The reason given when the system names none.
inline constexpr std::string_view kNoSpeechService =
    "音声合成サービス（speech-dispatcher）が見つかりません。";

// The operations as the failure message names them.
inline constexpr std::string_view kSetRate = "速さの設定";
inline constexpr std::string_view kSetVolume = "音量の設定";
inline constexpr std::string_view kSpeak = "読み上げ";
inline constexpr std::string_view kPause = "一時停止";
inline constexpr std::string_view kResume = "再開";
inline constexpr std::string_view kStop = "停止";

inline constexpr std::string_view kRateTestSentence = "本文の読み上げの速さと音量のテストです。";
inline constexpr std::string_view kEffectTestSentence = "効果音の音量のテストです。";

}  // namespace speech::messages
