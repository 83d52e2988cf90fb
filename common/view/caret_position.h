// The caret-position text of every editing window's status bar.
#pragma once

#include <QString>
#include <QStringView>

namespace common::view {

class TextPane;

// "12行：(半角)5桁　[ あ ] 0x82A0": line and byte column from 1, then the character at
// the caret with its Shift_JIS code. A control character is shown by its picture (␉ for a tab,
// ␊ for a line feed); the end of the text shows "[ EOF ]"; a character Shift_JIS cannot hold
// shows its Unicode code point.
QString CaretPositionText(int line, int byte_column, QStringView character);

// The same for the caret of `pane`: the line of the file, however the window wraps it, as the
// notation check and the line jump count lines.
QString CaretPositionTextOf(const TextPane& pane);

}  // namespace common::view
