// The small command-line parser: every command declares its options in a table, and this
// parser reads the arguments against those tables.
#pragma once

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

enum class ValueKind {
  kNone,  // a flag
  kPath,  // a file or folder: kept as the bytes the shell gave
  kText,  // any other value: UTF-8 on the command line, Shift_JIS (CP932) once parsed
};

struct OptionSpec {
  std::string_view name;        // "--dic-mode"
  std::string_view short_name;  // "-o", or empty
  ValueKind value = ValueKind::kNone;
  std::string_view value_name;  // "0|1|2", shown in the help
  std::string_view help;
};

// What the arguments said: the operands in order, and every value of every option given
// (a flag records one empty value per use).
class ParsedArgs {
 public:
  const std::vector<std::string>& Operands() const { return operands_; }
  bool Has(std::string_view option) const { return values_.find(option) != values_.end(); }
  // The last value given for `option` (a later one overrides an earlier one), or nullptr.
  const std::string* Last(std::string_view option) const;
  // Every value given for `option`, in order.
  std::vector<std::string> All(std::string_view option) const;

  void AddOperand(std::string operand) { operands_.push_back(std::move(operand)); }
  void AddValue(std::string_view option, std::string value);

 private:
  std::vector<std::string> operands_;
  std::map<std::string, std::vector<std::string>, std::less<>> values_;
};

struct ParseOutcome {
  bool ok = true;
  std::string error;         // UTF-8, for a usage error
  std::size_t consumed = 0;  // arguments read
};

// Reads `args` against the option tables into `parsed`. "--name value", "--name=value" and
// "-o value" are accepted; "--" ends the options. With `stop_at_operand` the scan stops before
// the first operand (the command name), leaving it unread.
ParseOutcome ParseArguments(std::span<const std::string> args,
                            std::span<const std::span<const OptionSpec>> tables,
                            bool stop_at_operand, ParsedArgs& parsed);

// The option lines of a help text, one per option, aligned.
std::string FormatOptionHelp(std::span<const OptionSpec> options);

}  // namespace cli
