// Which dictionaries a ruby pass applies, and in which order.
#pragma once

#include <optional>

#include "dictionary/registry.h"

namespace engine {

// Which dictionaries a pass applies: 0 main only, 1 user only, 2 user then main.
enum class DictionaryUse : int {
  kMainOnly = dictionary::kModeMainOnly,
  kUserOnly = dictionary::kModePreOnly,
  kUserThenMain = dictionary::kModePreThenMain,
};

// The use a settings value or a command-line number stands for (DIC_PATTERN keeps the numbers
// above), or nullopt for a number that stands for none.
constexpr std::optional<DictionaryUse> DictionaryUseOf(int value) {
  switch (value) {
    case static_cast<int>(DictionaryUse::kMainOnly):
      return DictionaryUse::kMainOnly;
    case static_cast<int>(DictionaryUse::kUserOnly):
      return DictionaryUse::kUserOnly;
    case static_cast<int>(DictionaryUse::kUserThenMain):
      return DictionaryUse::kUserThenMain;
    default:
      return std::nullopt;
  }
}

// How the words that no user dictionary holds are read: by the main dictionary's longest
// match alone, or by an analyser that reads each sentence in context, with the main
// dictionary for what it leaves. The numbers are those of the settings (YOMI_MODE).
enum class ReadingMode : int { kDictionary = 0, kContext = 1 };

constexpr std::optional<ReadingMode> ReadingModeOf(int value) {
  if (value == static_cast<int>(ReadingMode::kDictionary)) return ReadingMode::kDictionary;
  if (value == static_cast<int>(ReadingMode::kContext)) return ReadingMode::kContext;
  return std::nullopt;
}

}  // namespace engine
