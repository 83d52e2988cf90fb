// 0x00BBGGRR <-> QColor.
#include "common/view/colour_value.h"

namespace common::view {

QColor ColourOfBgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

int BgrOfColour(const QColor& colour) {
  return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

}  // namespace common::view
