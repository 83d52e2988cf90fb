// The row of buttons under the settings dialogs of the text windows: "決定" keeps the values,
// "中止" leaves them, and a help button when the window has help to show; and the width a small
// dialog needs for its title.
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

// Widens `dialog` to show its title (set before) whole beside the frame's icon and buttons, in
// the bold face window managers draw titles in; a small dialog would have it cut short.
void KeepTitleInSight(QDialog& dialog);

// Adds a help button ("helpButton") that calls `open_help`, answering `key` too when one is
// given; nothing is added when `open_help` is empty.
QPushButton* AddHelpButton(QDialogButtonBox& buttons, const QString& caption,
                           std::function<void()> open_help, const QKeySequence& key);

}  // namespace common::view
