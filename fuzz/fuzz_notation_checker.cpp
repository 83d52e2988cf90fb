// Any text through the notation checker from any start, with any non-ruby area markers: a text
// in memory is read whole, a fault's caret lies inside the text on a line of it, and the checker
// reaches the same verdict a second time.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "common/notation/non_ruby_areas.h"
#include "common/notation/notation_checker.h"
#include "common/encoding/text_source.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  common::NonRubyAreas areas;
  areas.enabled = input.Bool();
  bool report_separators = input.Bool();
  std::size_t start = static_cast<std::size_t>(input.Int16() & 0x7FFF);
  areas.start = std::string(input.Field());
  areas.end = std::string(input.Field());
  std::string_view text = input.Rest();
  start = std::min(start, text.size());

  common::StringTextSource source(text);
  common::NotationCheck check = common::CheckNotation(source, start, report_separators, areas);
  fuzzing::Require(!check.read_failed, "a text in memory is read whole");
  if (check.faulty) {
    // The caret stands before fault_offset: at most at the end of the text, where a group that
    // runs off the end is reported.
    fuzzing::Require(check.fault_offset >= 1 && check.fault_offset - 1 <= text.size(),
                     "a fault's caret lies inside the text");
    fuzzing::Require(common::LogicalLineOfFault(source, check.fault_offset) >= 1,
                     "a fault is reported on a line");
  }
  common::NotationCheck again = common::CheckNotation(source, start, report_separators, areas);
  fuzzing::Require(again.faulty == check.faulty && again.fault_offset == check.fault_offset,
                   "the checker reaches the same verdict twice");
  return 0;
}
