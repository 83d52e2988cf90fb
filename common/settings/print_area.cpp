// Margins in millimetres to the page rectangle in printer dots.
#include "common/settings/print_area.h"

#include <algorithm>

namespace common {
namespace {

constexpr double kInchPerMillimetre = 0.04;

// To the nearest dot, halves away from zero for positive values: x + 0.5 cut toward zero.
int Rounded(double dots) { return static_cast<int>(dots + 0.5); }

double Dots(double millimetres, int dpi) { return kInchPerMillimetre * millimetres * dpi; }

// The far edge (right or bottom) of a margin `margin_dots` from the paper's far edge, where the
// printer loses `loss` dots at that edge. A margin beyond the page, or inside the lost strip,
// gives the printable area's own edge: text is never placed where the printer cannot print.
int FarEdge(int printable, double margin_dots, int loss) {
  int edge = Rounded(printable - (margin_dots - loss));
  return edge < 0 ? printable : std::min(edge, printable);
}

int NearEdge(double margin_dots, int offset) { return std::max(Rounded(margin_dots - offset), 0); }

}  // namespace

PageRect PrintRectangle(const PrinterPage& page, const PrintMargins& margins) {
  int right_loss = page.paper_width - (page.printable_left + page.printable_width);
  int bottom_loss = page.paper_height - (page.printable_top + page.printable_height);
  return {
      .left = NearEdge(Dots(margins.left, page.dpi_x), page.printable_left),
      .top = NearEdge(Dots(margins.top, page.dpi_y), page.printable_top),
      .right = FarEdge(page.printable_width, Dots(margins.right, page.dpi_x), right_loss),
      .bottom = FarEdge(page.printable_height, Dots(margins.bottom, page.dpi_y), bottom_loss),
  };
}

}  // namespace common
