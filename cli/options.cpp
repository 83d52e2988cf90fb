// The table-driven option parser of the command-line tool.
#include "cli/options.h"

#include <algorithm>
#include <optional>

#include "cli/messages.h"
#include "common/encoding/cp932.h"
#include "common/message_format.h"

namespace cli {
namespace {

const OptionSpec* FindOption(std::span<const std::span<const OptionSpec>> tables,
                             std::string_view name) {
  for (std::span<const OptionSpec> table : tables) {
    for (const OptionSpec& option : table) {
      if (option.name == name || (!option.short_name.empty() && option.short_name == name)) {
        return &option;
      }
    }
  }
  return nullptr;
}

ParseOutcome Error(std::string_view pattern, std::string_view argument) {
  return ParseOutcome{false, common::FormatMessage(pattern, {argument}), 0};
}

// The value as the program uses it: paths as given, everything else in Shift_JIS.
std::optional<std::string> ConvertValue(const OptionSpec& option, const std::string& value) {
  if (option.value != ValueKind::kText) return value;
  return common::Utf8ToCp932(value);
}

}  // namespace

const std::string* ParsedArgs::Last(std::string_view option) const {
  auto found = values_.find(option);
  if (found == values_.end() || found->second.empty()) return nullptr;
  return &found->second.back();
}

std::vector<std::string> ParsedArgs::All(std::string_view option) const {
  auto found = values_.find(option);
  return found == values_.end() ? std::vector<std::string>{} : found->second;
}

void ParsedArgs::AddValue(std::string_view option, std::string value) {
  auto found = values_.find(option);
  if (found == values_.end()) found = values_.emplace(std::string(option), 0).first;
  found->second.push_back(std::move(value));
}

ParseOutcome ParseArguments(std::span<const std::string> args,
                            std::span<const std::span<const OptionSpec>> tables,
                            bool stop_at_operand, ParsedArgs& parsed) {
  std::size_t i = 0;
  bool options_ended = false;
  for (; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool is_option = !options_ended && arg.size() > 1 && arg[0] == '-';
    if (!is_option) {
      if (stop_at_operand) break;
      parsed.AddOperand(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
    std::string_view name = std::string_view(arg).substr(0, equals);
    const OptionSpec* option = FindOption(tables, name);
    if (!option) return Error(messages::kUnknownOption, name);
    if (option->value == ValueKind::kNone) {
      if (equals != std::string::npos) return Error(messages::kUnexpectedValue, name);
      parsed.AddValue(option->name, std::string());
      continue;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      return Error(messages::kMissingValue, name);
    }
    std::optional<std::string> converted = ConvertValue(*option, value);
    if (!converted) return Error(messages::kNotShiftJis, option->name);
    parsed.AddValue(option->name, *std::move(converted));
  }
  return ParseOutcome{true, std::string(), i};
}

std::string FormatOptionHelp(std::span<const OptionSpec> options) {
  std::vector<std::string> heads;
  std::size_t width = 0;
  for (const OptionSpec& option : options) {
    std::string head = "  ";
    if (!option.short_name.empty()) {
      head += option.short_name;
      head += ", ";
    }
    head += option.name;
    if (option.value != ValueKind::kNone) {
      head += ' ';
      head += option.value_name;
    }
    width = std::max(width, head.size());
    heads.push_back(std::move(head));
  }
  std::string text;
  for (std::size_t i = 0; i < options.size(); ++i) {
    text += heads[i];
    text.append(width + 2 - heads[i].size(), ' ');
    text += options[i].help;
    text += '\n';
  }
  return text;
}

}  // namespace cli
