// Japanese fonts for the editors when the stored font is not installed.
#pragma once

#include <QFont>
#include <QString>

namespace common::view {

// The stored family ("ＭＳ ゴシック" and the like) when it is installed; otherwise an installed
// Japanese font: Noto Sans Mono CJK JP, Noto Sans CJK JP, else any family that writes Japanese,
// else the application's fixed font. A point size below 1 gives 12.
QFont EditorFont(const QString& stored_family, int point_size);

}  // namespace common::view
