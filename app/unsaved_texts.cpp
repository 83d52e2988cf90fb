#include "app/unsaved_texts.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_text_window.h"
#include "app/messages.h"
#include "common/message_format.h"
#include "common/view/qt_text.h"

namespace app {

bool OfferUnsavedTexts(MainTextWindow& window, const common::RecoveryStore& store,
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
  if (texts.empty()) return false;
  common::Answer answer = messenger.Ask(
      {std::string(messages::kTitleUnsavedTexts),
       common::FormatMessage(messages::kUnsavedTextsLeft, {list}), common::Icon::kQuestion},
      common::Buttons::kYesNo);
  if (answer == common::Answer::kYes) {
    window.RestoreUnsavedTexts(texts);
    return std::any_of(texts.begin(), texts.end(), [](const common::RecoveredText& text) {
      return text.window == common::kMainTextCopy;
    });
  }
  for (const common::RecoveredText& text : texts) store.Discard(text.window);
  return false;
}

void OpenAtStart(MainTextWindow& window, const common::RecoveryStore& store,
                 common::Messenger& messenger, const std::optional<std::filesystem::path>& file) {
  bool restored = OfferUnsavedTexts(window, store, messenger);
  if (!file) return;
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(*file, error);
  if (restored) {
    window.ShowStatus(common::view::QStringOfUtf8(
        common::FormatMessage(messages::kFileLeftForRestoredText, {path.filename().string()})));
    return;
  }
  (void)window.OpenFile(path);  // it tells its failure
}

}  // namespace app
