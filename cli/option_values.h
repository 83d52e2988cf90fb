// Reading the values of command options that stand for numbers or for one of a few words.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/options.h"

namespace cli {

// The value of `option` as a whole number in [low, high] (INT_MAX: no upper limit), `fallback` when
// the option is absent. A value that is no such number gives the usage error in `error`.
std::optional<int> IntegerOption(const ParsedArgs& args, std::string_view option, int fallback,
                                 int low, int high, std::string& error);

// The index of the value of `option` among `words`, or nullopt with the usage error in `error`
// (also when the option is absent: such options are required).
std::optional<std::size_t> ChoiceOption(const ParsedArgs& args, std::string_view option,
                                        std::span<const std::string_view> words,
                                        std::string& error);

// The value of `option` as a number of bytes: digits, optionally followed by K, M or G (units of
// 1024), `fallback` when the option is absent; a value that is no such size, or 0, gives the usage
// error in `error`.
std::optional<std::uint64_t> ByteSizeOption(const ParsedArgs& args, std::string_view option,
                                            std::uint64_t fallback, std::string& error);

}  // namespace cli
