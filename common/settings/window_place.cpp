// The smallest place a window opens in.
#include "common/settings/window_place.h"

namespace common {

WindowPlace AtLeast(WindowPlace place, const WindowPlace& minimum) {
  if (place.height < minimum.height) {
    place.height = minimum.height;
    place.top = minimum.top;
  }
  if (place.width < minimum.width) {
    place.width = minimum.width;
    place.left = minimum.left;
  }
  return place;
}

}  // namespace common
