// The tables of the word filter, filled from the keys of the loaded length sections.
#include "engine/word_filter.h"

namespace engine {

WordFilter::WordFilter(const std::vector<PassWords>& passes)
    : exact_(dictionary::kMaxWordLength + 1),
      prefixes_(dictionary::kMaxWordLength + 1, Bits((std::size_t{1} << kHashBits) / 64, 0)) {
  for (std::size_t i = 0; i < passes.size() && i < kMaxPasses; ++i) {
    const PassWords& pass = passes[i];
    auto length = static_cast<std::size_t>(pass.word_length);
    if (length < 1 || length > static_cast<std::size_t>(dictionary::kMaxWordLength)) continue;
    longest_ = std::max(longest_, length);
    Keys& keys = exact_[length].emplace_back(
        Keys{std::uint32_t{1} << i, Bits((std::size_t{1} << kHashBits) / 64, 0)});
    std::size_t count = pass.section->KeyCount();
    for (std::size_t k = 0; k < count; ++k) {
      std::string_view key = pass.section->Key(static_cast<int>(k));
      if (key.size() != 2 * length) continue;
      std::uint64_t hash = 0;
      for (std::size_t walked = 1; walked <= length; ++walked) {
        hash = Push(hash, key.data() + 2 * (walked - 1));
        Set(walked == length ? keys.bits : prefixes_[walked], BitOf(hash));
      }
    }
  }
}

}  // namespace engine
