// Helpers shared by every status enum: each step's enum carries its numbers, 1 meaning success.
#pragma once

#include <type_traits>

namespace common {

template <typename Status>
  requires std::is_enum_v<Status>
constexpr bool IsOk(Status status) {
  return static_cast<int>(status) == 1;
}

// The number behind a status; used at the edges only (abort reports, exit codes, tests).
template <typename Status>
  requires std::is_enum_v<Status>
constexpr int CodeOf(Status status) {
  return static_cast<int>(status);
}

}  // namespace common
