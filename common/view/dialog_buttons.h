// The row of buttons under the settings dialogs of the text windows: "決定" keeps the values,
// "中止" leaves them, and a help button when the window has help to show.
#pragma once

#include <functional>

class QDialog;
class QDialogButtonBox;
class QKeySequence;
class QLayout;
class QPushButton;
class QString;

namespace common::view {

// Adds the row to `dialog`; the help button is left out when `open_help` is empty.
QLayout* DecideCancelButtons(QDialog& dialog, std::function<void()> open_help = {});

// Adds a help button ("helpButton") that calls `open_help`, answering `key` too when one is
// given; nothing is added when `open_help` is empty.
QPushButton* AddHelpButton(QDialogButtonBox& buttons, const QString& caption,
                           std::function<void()> open_help, const QKeySequence& key);

}  // namespace common::view
