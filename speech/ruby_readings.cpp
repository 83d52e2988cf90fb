// Reading a ruby text's groups character by character: a trail byte may look like '{', '/', '|'
// or '}', so only SjisReader decides what a delimiter is.
#include "speech/ruby_readings.h"

#include "common/sjis_reader.h"

namespace speech {

namespace {

constexpr char kGroupStart = '{';
constexpr char kReadingStart = '/';
constexpr char kAlternative = '|';
constexpr char kGroupEnd = '}';

// From just after "{": the reading of the group (its base when it has none), the reader left
// after its "}"; the group's text as it stands when it does not close.
std::string GroupReading(common::SjisReader& in, std::size_t group_start, std::string_view text) {
  std::string base;
  std::string reading;
  bool in_reading = false;
  bool past_first = false;
  while (!in.AtEnd()) {
    if (in.AtByte(kGroupEnd)) {
      in.Next();
      return in_reading ? reading : base;
    }
    if (!in_reading && in.AtByte(kReadingStart)) {
      in_reading = true;
    } else if (in_reading && in.AtByte(kAlternative)) {
      past_first = true;
    } else if (!in_reading) {
      base += in.Peek().bytes;
    } else if (!past_first) {
      reading += in.Peek().bytes;
    }
    in.Next();
  }
  return std::string(text.substr(group_start));
}

}  // namespace

std::string ReadingsOf(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size());
  common::SjisReader in(sjis);
  while (!in.AtEnd()) {
    if (in.AtByte(kGroupStart)) {
      std::size_t start = in.Offset();
      in.Next();
      out += GroupReading(in, start, sjis);
    } else {
      out += in.Next().bytes;
    }
  }
  return out;
}

}  // namespace speech
