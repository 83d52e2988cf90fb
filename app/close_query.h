// The question asked at exit about every window whose text is not saved, in a fixed order.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "common/messenger.h"

namespace app {

struct UnsavedWindowQuestion {
  std::string_view question_format;  // the window's "…画面の%s"
  bool modified = false;
  std::function<bool()> save;  // the window's overwrite save; false when nothing was saved
};

// Asks about each modified window in order: Yes saves it, No goes on, Cancel stops at once.
// Returns whether the program may end. A window whose save did not happen (a cancelled save
// dialog, a refused or failed write) also stops the closing, so that its text is not lost.
bool RunCloseQuery(const std::vector<UnsavedWindowQuestion>& windows, common::Messenger& messenger);

}  // namespace app
