// The readings a group of a ruby text offers ({人/ひと|にん}), and the choice of one of them: the
// group that holds a position, what it becomes with each reading, and every group of a text
// taking its first reading.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_pieces.h"

namespace rubywindow {

// Texts are Shift_JIS; groups end at their line, as in the other corrections.
struct GroupAlternatives {
  std::size_t open = 0;               // the group's '{'
  std::size_t end = 0;                // just past its '}'
  std::vector<std::string> readings;  // in the order written, empty ones left out
  std::vector<std::string> groups;  // the group with each reading alone: {人/ひと}, {人/にん}
};

// The closed group with more than one reading that holds byte `at` of `text`, or that ends
// just before it when none holds it (a caret right after a group); nullopt when there is none.
std::optional<GroupAlternatives> AlternativesAt(std::string_view text, std::size_t at);

// Every group with alternatives keeping its first reading alone.
std::string KeepFirstReadings(std::string_view text);
common::PieceStep KeepFirstReadingsStep();

}  // namespace rubywindow
