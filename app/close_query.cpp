// The close query: one question per window with unsaved text.
#include "app/close_query.h"

#include "app/messages.h"
#include "common/message_format.h"

namespace app {

bool RunCloseQuery(const std::vector<UnsavedWindowQuestion>& windows,
                   common::Messenger& messenger) {
  for (const UnsavedWindowQuestion& window : windows) {
    if (!window.modified) continue;
    std::string text = common::FormatMessage(window.question_format, {messages::kUnsavedText});
    common::Answer answer =
        messenger.Ask({std::string(messages::kTitleCloseQuery), text, common::Icon::kQuestion},
                      common::Buttons::kYesNoCancel);
    if (answer == common::Answer::kCancel) return false;
    if (answer == common::Answer::kYes && !window.save()) return false;
  }
  return true;
}

}  // namespace app
