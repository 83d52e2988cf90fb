// Escaping text for mark-up.
#include "worksheet/markup_text.h"

#include <array>

namespace worksheet {
namespace {

// The bytes that are not copied as they stand: the mark-up characters and the control
// characters XML cannot hold. Bytes of multi-byte UTF-8 are all 0x80 and above and pass.
constexpr std::array<bool, 256> kSpecial = [] {
  std::array<bool, 256> special{};
  for (int byte = 0; byte < 0x20; ++byte)
    special[byte] = byte != '\t' && byte != '\n' && byte != '\r';
  for (unsigned char byte : {'&', '<', '>', '"', '\''}) special[byte] = true;
  return special;
}();

std::string_view ReferenceOf(char byte) {
  switch (byte) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&#39;";
    default:
      return "";  // a control character: left out
  }
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view utf8) {
  std::size_t plain = 0;
  for (std::size_t at = 0; at < utf8.size(); ++at) {
    if (!kSpecial[static_cast<unsigned char>(utf8[at])]) continue;
    out.append(utf8.substr(plain, at - plain));
    out.append(ReferenceOf(utf8[at]));
    plain = at + 1;
  }
  out.append(utf8.substr(plain));
}

std::string Escaped(std::string_view utf8) {
  std::string out;
  AppendEscaped(out, utf8);
  return out;
}

}  // namespace worksheet
