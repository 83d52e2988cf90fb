// The rectangle of a printed page that holds the text: the user's four margins, set in
// millimetres, turned into printer dots relative to the printer's printable area.
#pragma once

namespace common {

// The margins as the settings hold them, in millimetres.
struct PrintMargins {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

inline constexpr int kMaxPrintMargin = 400;  // millimetres, the most the margin dialog takes

// What the printer says about the page of one job, everything in printer dots.
struct PrinterPage {
  int dpi_x = 0;
  int dpi_y = 0;
  int paper_width = 0;  // the physical page
  int paper_height = 0;
  int printable_left = 0;  // where the printable area starts on the paper
  int printable_top = 0;
  int printable_width = 0;
  int printable_height = 0;
};

// In printer dots from the top left corner of the printable area.
struct PageRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Margins that meet or cross leave no room for a single character.
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool operator==(const PageRect&) const = default;
};

// Each margin is measured from the paper's edge at 0.04 inch per millimetre, which is what
// users' stored margins have always meant, and then taken into the printable area: a margin
// inside the strip the printer cannot reach is the strip's edge, on every side.
PageRect PrintRectangle(const PrinterPage& page, const PrintMargins& margins);

}  // namespace common
