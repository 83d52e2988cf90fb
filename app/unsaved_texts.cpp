#include "app/unsaved_texts.h"

#include <string>
#include <vector>

#include "app/main_text_window.h"
#include "app/messages.h"
#include "common/message_format.h"

namespace app {

void OfferUnsavedTexts(MainTextWindow& window, const common::RecoveryStore& store,
                       common::Messenger& messenger) {
  std::vector<common::RecoveredText> texts;
  std::string list;
  for (common::RecoveredText& text : store.Left()) {
    std::string_view format = text.window == common::kMainTextCopy   ? messages::kUnsavedTextOfMain
                              : text.window == common::kRubyTextCopy ? messages::kUnsavedTextOfRuby
                                                                     : std::string_view();
    if (format.empty()) continue;  // a window this version does not keep text for
    list += common::FormatMessage(format, {text.document.string()}) + "\n";
    texts.push_back(std::move(text));
  }
  if (texts.empty()) return;
  common::Answer answer = messenger.Ask(
      {std::string(messages::kTitleUnsavedTexts),
       common::FormatMessage(messages::kUnsavedTextsLeft, {list}), common::Icon::kQuestion},
      common::Buttons::kYesNo);
  if (answer == common::Answer::kYes) {
    window.RestoreUnsavedTexts(texts);
    return;
  }
  for (const common::RecoveredText& text : texts) store.Discard(text.window);
}

}  // namespace app
