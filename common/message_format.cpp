// printf-style placeholder filling for message texts.
#include "common/message_format.h"

#include <cstdio>

namespace common {
namespace {

std::string ToText(const MessageArg& arg, bool hex) {
  if (const auto* text = std::get_if<std::string_view>(&arg)) return std::string(*text);
  char buffer[32];
  std::int64_t value = std::get<std::int64_t>(arg);
  if (hex) {
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
  } else {
    std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
  }
  return buffer;
}

}  // namespace

std::string FormatMessage(std::string_view pattern, std::initializer_list<MessageArg> args) {
  std::string out;
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 >= pattern.size()) {
      out += pattern[i];
      continue;
    }
    std::string_view rest = pattern.substr(i + 1);
    std::size_t spec_length = 0;
    bool hex = false;
    if (rest.starts_with("lu")) {
      spec_length = 2;
    } else if (rest[0] == 's' || rest[0] == 'd') {
      spec_length = 1;
    } else if (rest[0] == 'X') {
      spec_length = 1;
      hex = true;
    } else if (rest[0] == '%') {
      out += '%';
      ++i;
      continue;
    }
    if (spec_length == 0 || next == args.end()) {
      out += '%';
      continue;
    }
    out += ToText(*next++, hex);
    i += spec_length;
  }
  return out;
}

}  // namespace common
