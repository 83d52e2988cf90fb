// A window's place on the screen as the settings keep it, and the one rule that makes a stored
// place large enough to work in.
#pragma once

namespace common {

struct WindowPlace {
  int top = 0;
  int left = 0;
  int height = 0;
  int width = 0;
};

// A place lower than `minimum` gets its height and top, one narrower its width and left, so that
// a window shrunk out of use opens whole, away from the screen's corner.
WindowPlace AtLeast(WindowPlace place, const WindowPlace& minimum);

}  // namespace common
