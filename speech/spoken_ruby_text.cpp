// The groups are found by the ruby window's own group walk, so that speech takes a group exactly
// where the conversions do; only a reading's alternatives and stray braces are left to here.
#include "speech/spoken_ruby_text.h"

#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"
#include "rubywindow/ruby_repair.h"

namespace speech {

namespace {

constexpr std::string_view kAlternative = "|";

// The first of a reading's alternatives; a trail byte that equals '|' (－ is 0x81 0x7C) is no
// separator.
std::string_view FirstAlternative(std::string_view reading) {
  return reading.substr(0, common::FindAligned(reading, kAlternative));
}

// What the group walk leaves of faulty notation ("{漢字}", a '{' that no '}' closes on its
// line) is read without its braces.
std::string WithoutBraces(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size());
  common::SjisReader in(sjis);
  while (!in.AtEnd()) {
    if (in.AtByte(common::kGroupOpen) || in.AtByte(common::kGroupClose)) {
      in.Next();
    } else {
      out += in.Next().bytes;
    }
  }
  return out;
}

}  // namespace

std::string SpokenRubyText(std::string_view sjis, SpokenPart part) {
  return WithoutBraces(rubywindow::RewriteGroups(
      sjis, [part](std::string& out, std::string_view base, std::string_view reading) {
        std::string_view first = FirstAlternative(reading);
        out += part == SpokenPart::kBases || first.empty() ? base : first;
      }));
}

}  // namespace speech
