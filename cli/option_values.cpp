// Numbers and word choices given as option values.
#include "cli/option_values.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "cli/messages.h"
#include "common/message_format.h"

namespace cli {

using common::FormatMessage;

std::optional<int> IntegerOption(const ParsedArgs& args, std::string_view option, int fallback,
                                 int low, int high, std::string& error) {
  const std::string* given = args.Last(option);
  if (!given) return fallback;
  int value = 0;
  auto [end, failure] = std::from_chars(given->data(), given->data() + given->size(), value);
  if (given->empty() || failure != std::errc() || end != given->data() + given->size() ||
      value < low || value > high) {
    error =
        high == std::numeric_limits<int>::max()
            ? FormatMessage(messages::kBadCount, {option, static_cast<std::int64_t>(low), *given})
            : FormatMessage(messages::kBadNumber, {option, static_cast<std::int64_t>(low),
                                                   static_cast<std::int64_t>(high), *given});
    return std::nullopt;
  }
  return value;
}

std::optional<std::size_t> ChoiceOption(const ParsedArgs& args, std::string_view option,
                                        std::span<const std::string_view> words,
                                        std::string& error) {
  const std::string* given = args.Last(option);
  for (std::size_t i = 0; given && i < words.size(); ++i) {
    if (*given == words[i]) return i;
  }
  std::string list;
  for (std::string_view word : words) {
    if (!list.empty()) list += '|';
    list += word;
  }
  error = given ? FormatMessage(messages::kBadChoice, {option, list, *given})
                : FormatMessage(messages::kMissingChoice, {option, list});
  return std::nullopt;
}

std::optional<std::uint64_t> ByteSizeOption(const ParsedArgs& args, std::string_view option,
                                            std::uint64_t fallback, std::string& error) {
  const std::string* given = args.Last(option);
  if (!given) return fallback;
  std::string_view digits = *given;
  int shift = 0;
  if (!digits.empty()) {
    std::size_t unit = std::string_view("KMG").find(digits.back());
    if (unit != std::string_view::npos) {
      shift = 10 * static_cast<int>(unit + 1);
      digits.remove_suffix(1);
    }
  }
  std::uint64_t value = 0;
  auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || failure != std::errc() || end != digits.data() + digits.size() ||
      value == 0 || value > (std::numeric_limits<std::uint64_t>::max() >> shift)) {
    error = FormatMessage(messages::kBadByteSize, {option, *given});
    return std::nullopt;
  }
  return value << shift;
}

}  // namespace cli
