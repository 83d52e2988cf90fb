// The page rectangle: 0.04 inch per millimetre, rounding to the nearest dot, and margins that
// fall inside the printer's unprintable strips or beyond the page.
#include "common/settings/print_area.h"

#include <gtest/gtest.h>

#include <ostream>

namespace common {

void PrintTo(const PageRect& rect, std::ostream* out) {
  *out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}

namespace {

// Letter paper at 600 dpi with `strip` dots lost on every side.
constexpr PrinterPage Letter600(int strip) {
  return {600, 600, 5100, 6600, strip, strip, 5100 - 2 * strip, 6600 - 2 * strip};
}

constexpr PrinterPage kBorderless = Letter600(0);
constexpr PrinterPage kInset50 = Letter600(50);

struct Case {
  const char* name;
  PrinterPage page;
  PrintMargins margins;
  PageRect expected;
};

TEST(PrintRectangle, MarginsBecomeDotsInsideThePrintableArea) {
  PrinterPage uneven = kInset50;  // 300 dpi across, 600 down; 100 dots lost right, 20 at the foot
  uneven.dpi_x = 300;
  uneven.paper_width = 2550;
  uneven.printable_width = 2400;
  uneven.printable_height = 6530;
  PrinterPage screen{96, 96, 816, 1056, 0, 0, 816, 1056};
  const Case cases[] = {
      // 0.04 x 25 x 600 = 600, not the 591 that 1/25.4 inch per millimetre would give.
      {"25 mm at 600 dpi", kBorderless, {25, 25, 25, 25}, {600, 600, 4500, 6000}},
      {"the default 4 mm", kBorderless, {4, 4, 4, 4}, {96, 96, 5004, 6504}},
      // The unprintable strip counts toward the margin on each side.
      {"10 mm past a 50-dot strip", kInset50, {10, 10, 10, 10}, {190, 190, 4810, 6310}},
      // Margins 0 start at the printable area's edge, never before it or after it.
      {"0 mm with a 50-dot strip", kInset50, {0, 0, 0, 0}, {0, 0, 5000, 6500}},
      {"1 mm inside a 50-dot strip", kInset50, {1, 1, 1, 1}, {0, 0, 5000, 6500}},
      {"each side its own resolution and loss", uneven, {10, 10, 20, 20}, {70, 190, 2260, 6070}},
      // 0.04 x 9 x 96 = 34.56 rounds up; 0.04 x 10 x 96 = 38.4 rounds down.
      {"to the nearest dot", screen, {9, 10, 9, 10}, {35, 38, 781, 1018}},
      {"fractions of a millimetre", screen, {9.5, 0.25, 0, 0}, {36, 1, 816, 1056}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintRectangle(c.page, c.margins), c.expected) << c.name;
  }
}

TEST(PrintRectangle, FarMarginBeyondThePageFallsBackToTheWholeWidth) {
  // 400 mm is 9600 dots: more than the paper, so the right and bottom edges are the page's.
  PageRect rect = PrintRectangle(kInset50, {0, 0, kMaxPrintMargin, kMaxPrintMargin});
  EXPECT_EQ(rect, (PageRect{0, 0, 5000, 6500}));
  EXPECT_FALSE(rect.IsEmpty());
}

TEST(PrintRectangle, MarginsThatMeetLeaveNoRoom) {
  // 0.04 x 200 mm is 8 inches on 8.5-inch paper: the left margin passes the right one.
  EXPECT_TRUE(PrintRectangle(kBorderless, {200, 0, 25, 0}).IsEmpty());
  EXPECT_TRUE(PrintRectangle(kBorderless, {0, 140, 0, 140}).IsEmpty());
  EXPECT_FALSE(PrintRectangle(kBorderless, {100, 100, 100, 100}).IsEmpty());
}

}  // namespace
}  // namespace common
