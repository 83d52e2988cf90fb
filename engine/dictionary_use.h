// Which dictionaries a ruby pass applies, and in which order.
#pragma once

namespace engine {

// Which dictionaries a pass applies: 0 main only, 1 user only, 2 user then main.
enum class DictionaryUse : int { kMainOnly = 0, kUserOnly = 1, kUserThenMain = 2 };

}  // namespace engine
