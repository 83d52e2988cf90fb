// Small pieces the dialogs of the ruby commands share.
#pragma once

#include <functional>
#include <optional>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>

#include "common/messenger.h"
#include "common/settings.h"
#include "engine/filter_options.h"

namespace app {

// The index as a combo box shows it: a stored value that no item stands for leaves the box
// without a selection, as the core then refuses it.
void SelectItem(QComboBox& box, int index);

// The id of the checked button, or `stored` when none is (a stored value no button stands
// for, kept so that the refusal names it).
int CheckedIdOr(const QButtonGroup& group, int stored);

// Shows a refusal of the core; true when there was one.
bool TellRefusal(const std::optional<engine::Refusal>& refusal, common::Messenger& messenger);

// Where a word keeps its ruby (RUBIRANGE/FIRSTRUBY, which every ruby command reads), shown in
// `box` by its items every, document, paragraph; the box's choice stored in `settings`.
void ShowFirstRuby(QComboBox& box, const common::Settings& settings);
void StoreFirstRuby(const QComboBox& box, common::Settings& settings);

// Hooks a help button to `open_help`, or hides it when there is none.
void ConnectHelp(QAbstractButton& button, std::function<void()> open_help);

}  // namespace app
