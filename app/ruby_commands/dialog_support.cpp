// Shared pieces of the ruby commands' dialogs.
#include "app/ruby_commands/dialog_support.h"

#include <utility>

#include "engine/first_ruby.h"

namespace app {

void SelectItem(QComboBox& box, int index) {
  box.setCurrentIndex(index >= 0 && index < box.count() ? index : -1);
}

int CheckedIdOr(const QButtonGroup& group, int stored) {
  return group.checkedButton() != nullptr ? group.checkedId() : stored;
}

bool TellRefusal(const std::optional<engine::Refusal>& refusal, common::Messenger& messenger) {
  if (!refusal) return false;
  messenger.Tell({refusal->title, refusal->text, common::Icon::kWarning});
  return true;
}

void ConnectHelp(QAbstractButton& button, std::function<void()> open_help) {
  if (!open_help) {
    button.hide();
    return;
  }
  QObject::connect(&button, &QAbstractButton::clicked,
                   [open_help = std::move(open_help)] { open_help(); });
}

void ShowFirstRuby(QComboBox& box, const common::Settings& settings) {
  box.setCurrentIndex(static_cast<int>(engine::FirstRubyScopeOf(settings)));
}

void StoreFirstRuby(const QComboBox& box, common::Settings& settings) {
  if (box.currentIndex() >= 0) settings.first_ruby = box.currentIndex();
}

}  // namespace app
