// The row of buttons under the settings dialogs of the text windows: "決定" keeps the values,
// "中止" leaves them, and a help button when the window has help to show.
#pragma once

#include <functional>

class QDialog;
class QLayout;

namespace common::view {

// Adds the row to `dialog`; the help button is left out when `open_help` is empty.
QLayout* DecideCancelButtons(QDialog& dialog, std::function<void()> open_help = {});

}  // namespace common::view
