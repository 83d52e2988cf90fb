// Colours as the settings hold them: 0x00BBGGRR, red + 256 × green + 65536 × blue.
#pragma once

#include <QColor>

namespace common::view {

QColor ColourOfBgr(int bgr);
int BgrOfColour(const QColor& colour);

}  // namespace common::view
