// Message texts and titles of the dictionary steps (UTF-8), filled in by common::FormatMessage.
#pragma once

#include <string_view>

namespace dictionary::messages {

inline constexpr std::string_view kTitleWarning = "Warning";

// Loader.
inline constexpr std::string_view kNoMemoryHead = "空きMemory 50k for Head_ がない。";
inline constexpr std::string_view kNoMemoryKeys = "空きMemory 480k for juku_ がない。";
inline constexpr std::string_view kNoMemoryAddresses = "空きMemory 360k for yomi.adrs がない。";
inline constexpr std::string_view kNoMemoryReadings = "空きMemory 720k for yomi がない。";
inline constexpr std::string_view kCannotOpenDictionary =
    "指定された辞書<%s>が開けません。\n正しく登録し直してください。";
inline constexpr std::string_view kDictionaryTooShort =
    "辞書<%s>は辞書の見出し部分より短いファイルです。\n辞書を作り直してください。";
inline constexpr std::string_view kDamagedSection =
    "辞書<%s>の %d 字の語の部分が壊れています。\n辞書を作り直してください。";
inline constexpr std::string_view kCannotReadDictionary =
    "辞書<%s>を読み込めませんでした。";

}  // namespace dictionary::messages
