// Where the ruby groups of one line lie, for colouring them on screen: positions of '{', the
// first '/' after it and the first '}' after that.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace rubywindow {

struct GroupSpan {
  std::size_t open;   // '{'
  std::size_t slash;  // the '/' that ends the base
  std::size_t close;  // '}'
};

// The groups of `line`, a line of decoded text (one code unit per position, so no trail byte can
// pose as a brace). A '{' without a '/' before its '}' is no group and is passed over.
std::vector<GroupSpan> GroupSpansOf(std::u16string_view line);

}  // namespace rubywindow
