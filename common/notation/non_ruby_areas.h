// The user's non-ruby areas: stretches from a start string to an end string that no pass
// touches. Strings are Shift_JIS; an empty string counts as absent.
#pragma once

#include <string>

namespace common {

struct NonRubyAreas {
  bool enabled = true;
  std::string start = "<HTML>";
  std::string end = "<BODY>";
  bool delete_start = false;  // not saved; off at start-up
  bool delete_end = false;
};

}  // namespace common
