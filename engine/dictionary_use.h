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

}  // namespace engine
