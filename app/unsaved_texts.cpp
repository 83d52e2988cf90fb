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

void RunStart::Run(const std::optional<std::filesystem::path>& file) {
  file_ = file;
  running_ = true;
  bool restored = OfferUnsavedTexts(window_, store_, messenger_);
  running_ = false;
  if (!file_) return;
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(*file_, error);
  if (restored) {
    window_.ShowStatus(common::view::QStringOfUtf8(
        common::FormatMessage(messages::kFileLeftForRestoredText, {path.filename().string()})));
    return;
  }
  (void)window_.OpenFile(path);  // it tells its failure
}

// While the question is open the window only comes to the front with it.
void RunStart::HandOver(const std::optional<std::filesystem::path>& file) {
  if (!running_) {
    window_.ShowForSecondStart(file);
    return;
  }
  if (file) file_ = file;
  window_.ShowForSecondStart(std::nullopt);
}

}  // namespace app
