// Message texts of read-aloud (UTF-8), and the sentences its settings window speaks.
#pragma once

#include <string_view>

namespace speech::messages {

// %s the operation, %s why.
inline constexpr std::string_view kTitleSpeechFailed = "ご注意！";
inline constexpr std::string_view kSpeechFailed = "音声の%sができませんでした。\n\n%s";

// Why an operation failed; a failed playback is told as speech that cannot be heard (below).
inline constexpr std::string_view kServiceNotAnswering =
    "音声合成サービス（speech-dispatcher）が応答しません。\n"
    "しばらくしてから、もう一度お試し下さい。";
inline constexpr std::string_view kSettingsRefused =
    "音声合成サービスが速さ・音量・声の設定を受け付けませんでした。\n"
    "読み上げの設定を確かめて下さい。";
inline constexpr std::string_view kTextRefused = "音声合成サービスがこの文を受け付けませんでした。";

// Shown on the progress line while the service is being reached.
inline constexpr std::string_view kPreparingSpeech = "音声を準備しています…";

// Why nothing can be heard, each with the Debian packages that mend it.
inline constexpr std::string_view kTitleSpeechUnheard = "ご注意！";
inline constexpr std::string_view kUnheardNoService =
    "音声合成サービス（speech-dispatcher）に接続できないため、読み上げができません。\n\n"
    "次のパッケージを入れて下さい。\n"
    "    speech-dispatcher\n"
    "    speech-dispatcher-espeak-ng\n"
    "    qt6-speech-speechd-plugin\n\n"
    "例： sudo apt install speech-dispatcher speech-dispatcher-espeak-ng "
    "qt6-speech-speechd-plugin";
inline constexpr std::string_view kUnheardNoVoice =
    "音声合成サービスに日本語の音声がないため、読み上げができません。\n\n"
    "次のパッケージを入れて下さい。\n"
    "    speech-dispatcher-espeak-ng\n\n"
    "例： sudo apt install speech-dispatcher-espeak-ng";
inline constexpr std::string_view kUnheardNoAudio =
    "音を出す装置（サウンドサーバーまたは再生できるサウンドカード）が見つからないため、"
    "読み上げても聞こえません。\n\n"
    "スピーカーやヘッドホンのある環境で、次のパッケージを入れて下さい。\n"
    "    pulseaudio（または pipewire-pulse）\n"
    "    speech-dispatcher-audio-plugins\n\n"
    "例： sudo apt install pulseaudio speech-dispatcher-audio-plugins";

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
