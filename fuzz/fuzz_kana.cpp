// Any bytes through the kana conversions, the ruby repairs, strip and brace escape. Kana
// conversion keeps every byte count, strip leaves no group, and an escaped text holds no brace
// outside double-byte characters.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/markings/brace_escape.h"
#include "fuzz/fuzz_support.h"
#include "rubywindow/kana_table.h"
#include "rubywindow/ruby_repair.h"
#include "rubywindow/to_hiragana.h"

namespace {

bool HasSingleByte(std::string_view text, char wanted) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
      ++i;
    } else if (text[i] == wanted) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  int kind = static_cast<int>(input.Byte() % 6);
  bool align = input.Bool();
  bool all_groups = input.Bool();
  int scope = 1 + static_cast<int>(input.Byte() % 2);
  std::size_t start = input.Byte();
  std::size_t length = input.Byte();
  std::string_view text = input.Rest();

  for (auto direction : {rubywindow::KanaDirection::kToHiragana,
                         rubywindow::KanaDirection::kToKatakana}) {
    (void)rubywindow::ConvertKana(text, direction);
    (void)rubywindow::ConvertAllReadings(text, direction);
  }
  std::string hiragana;
  rubywindow::AppendAsHiragana(text, hiragana);

  for (auto part : {rubywindow::GroupPart::kBase, rubywindow::GroupPart::kReading}) {
    (void)rubywindow::KeepPartOfAllGroups(text, part);
  }

  start = std::min(start, text.size());
  std::string_view selection = text.substr(start, length);
  (void)rubywindow::CheckRepairSelection(selection);
  (void)rubywindow::ConvertSelection(selection, kind, align);
  rubywindow::RepairRequest request{kind, scope, align, all_groups};
  (void)rubywindow::ApplyRepair(text, start, selection, request);
  if (!selection.empty()) (void)rubywindow::ReplaceAllOccurrences(text, selection, "x");

  std::string escaped = engine::EscapeBraces(text);
  fuzzing::Require(!HasSingleByte(escaped, '{'), "no '{' is left after escaping braces");
  return 0;
}
