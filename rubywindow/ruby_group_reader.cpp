// One ruby group, read a character at a time so that a trail byte is never taken for '/' or '}'.
#include "rubywindow/ruby_group_reader.h"

#include "common/sjis.h"

namespace rubywindow {

namespace {

constexpr int kLineFeed = '\n';
constexpr int kReturn = '\r';

// Appends characters until `end` (taken) or a line end (left); true when `end` was found, false
// also when the group closed before it.
bool AppendUntil(ByteInput& in, char end, std::string& out) {
  while (true) {
    int byte = in.Peek();
    if (byte < 0 || byte == kLineFeed) return false;
    in.Get();
    char c = static_cast<char>(byte);
    if (common::IsLeadByte(c)) {
      out += c;
      int trail = in.Get();
      if (trail >= 0) out += static_cast<char>(trail);
    } else if (c == end) {
      return true;
    } else if (c == common::kGroupClose) {
      return false;
    } else if (byte != kReturn) {
      out += c;
    }
  }
}

}  // namespace

void ReadGroup(ByteInput& in, std::string& base, std::string& reading) {
  if (AppendUntil(in, common::kGroupSeparator, base)) {
    AppendUntil(in, common::kGroupClose, reading);
  }
}

}  // namespace rubywindow
