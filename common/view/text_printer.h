// A window's text on the printer: laid out in the window's font inside the page rectangle that
// the print margins give, and broken into pages.
#pragma once

#include <QFont>
#include <QString>

#include "common/settings/print_area.h"

class QPrinter;

namespace common::view {

struct PrintedText {
  QString text;
  QFont font;         // the size set for the window, not the one zoomed on screen
  int tab_width = 0;  // in average character widths; 0 the usual 8
};

// The page facts of the printer as it is set up now.
common::PrinterPage PageOfPrinter(const QPrinter& printer);

enum class PrintOutcome {
  kPrinted,
  kNoRoom,      // the margins meet: nothing was sent to the printer
  kNotStarted,  // the printer (or the output file) could not be opened
};

struct PrintResult {
  PrintOutcome outcome = PrintOutcome::kNotStarted;
  int pages = 0;  // printed
};

// Prints `text` as one job on `printer`, the pages of the range the printer is set to (all of
// them when none is set).
PrintResult PrintText(QPrinter& printer, const PrintedText& text,
                      const common::PrintMargins& margins);

}  // namespace common::view
