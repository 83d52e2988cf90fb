// Printing a long text to a PDF file, offscreen: how long the whole job takes (layout, pages and
// the file) and how many pages it gives.
//
//   print_speed PDF_FILE PAGES     (run it with QT_QPA_PLATFORM=offscreen)
//
// The text is lines of Japanese and ASCII, some of them long enough to wrap, in the editors'
// font at 12 points on A4 with margins of 10, 15, 20 and 25 mm (left, top, right, bottom); lines
// are added until it fills PAGES pages.
#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <cstdio>
#include <cstdlib>

#include "common/settings/print_area.h"
#include "common/view/font_fallback.h"
#include "common/view/text_printer.h"

namespace {

constexpr common::PrintMargins kMargins{.left = 10, .top = 15, .right = 20, .bottom = 25};
constexpr int kTabWidth = 4;
constexpr int kLinesPerRound = 500;

QString Lines(int first, int count) {
  QString text;
  for (int line = first; line < first + count; ++line) {
    text += QStringLiteral("%1\t吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。")
                .arg(line);
    if (line % 7 == 0)
      text += QStringLiteral(
          " 何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。");
    text += u'\n';
  }
  return text;
}

void SetUp(QPrinter& printer, const char* file) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromLocal8Bit(file));
  printer.setPageSize(QPageSize(QPageSize::A4));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: print_speed PDF_FILE PAGES\n");
    return 2;
  }
  QApplication app(argc, argv);
  int wanted = std::atoi(argv[2]);
  common::view::PrintedText text{
      {}, common::view::EditorFont(QStringLiteral("ＭＳ ゴシック"), 12), kTabWidth};
  // Enough lines for the pages wanted, found by printing once untimed.
  int lines = 0;
  common::view::PrintResult result;
  while (result.pages < wanted) {
    text.text += Lines(lines + 1, kLinesPerRound);
    lines += kLinesPerRound;
    QPrinter probe(QPrinter::HighResolution);
    SetUp(probe, argv[1]);
    result = common::view::PrintText(probe, text, kMargins);
    if (result.outcome != common::view::PrintOutcome::kPrinted) return 1;
  }

  QPrinter printer(QPrinter::HighResolution);
  SetUp(printer, argv[1]);
  QElapsedTimer timer;
  timer.start();
  result = common::view::PrintText(printer, text, kMargins);
  double seconds = timer.nsecsElapsed() / 1e9;
  common::PageRect rect = common::PrintRectangle(common::view::PageOfPrinter(printer), kMargins);
  std::printf("font: %s %d pt, %d dpi, page rectangle %d,%d to %d,%d dots\n",
              qPrintable(text.font.family()), text.font.pointSize(), printer.resolution(),
              rect.left, rect.top, rect.right, rect.bottom);
  std::printf("printed %d lines (%lld characters) on %d pages to PDF in %.2f s\n", lines,
              static_cast<long long>(text.text.size()), result.pages, seconds);
  return result.outcome == common::view::PrintOutcome::kPrinted ? 0 : 1;
}
