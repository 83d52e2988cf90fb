// Printing a plain text with Qt's text layout on the printer's own resolution.
#include "common/view/text_printer.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

namespace common::view {
namespace {

constexpr int kUsualTabChars = 8;

// Lays the text out for the printer: point sizes and tab stops in the printer's dots, lines
// wrapped at the rectangle's width and moved whole onto the next page where they would cross
// its foot.
void LayOut(QTextDocument& document, QPrinter& printer, const PrintedText& text,
            const common::PageRect& rect) {
  document.documentLayout()->setPaintDevice(&printer);
  document.setDocumentMargin(0);
  document.setDefaultFont(text.font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  int cells = text.tab_width > 0 ? text.tab_width : kUsualTabChars;
  option.setTabStopDistance(cells * QFontMetricsF(text.font, &printer).averageCharWidth());
  document.setDefaultTextOption(option);
  document.setPageSize(QSizeF(rect.Width(), rect.Height()));
  document.setPlainText(text.text);
}

}  // namespace

common::PrinterPage PageOfPrinter(const QPrinter& printer) {
  QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
  QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
  return {.dpi_x = printer.logicalDpiX(),
          .dpi_y = printer.logicalDpiY(),
          .paper_width = paper.width(),
          .paper_height = paper.height(),
          .printable_left = printable.left() - paper.left(),
          .printable_top = printable.top() - paper.top(),
          .printable_width = printable.width(),
          .printable_height = printable.height()};
}

PrintResult PrintText(QPrinter& printer, const PrintedText& text,
                      const common::PrintMargins& margins) {
  // Qt's painter starts at the printable area, as the rectangle does.
  printer.setFullPage(false);
  common::PageRect rect = common::PrintRectangle(PageOfPrinter(printer), margins);
  if (rect.IsEmpty()) return {PrintOutcome::kNoRoom, 0};
  QTextDocument document;
  LayOut(document, printer, text, rect);
  int count = document.pageCount();
  int first = printer.fromPage() > 0 ? std::min(printer.fromPage(), count) : 1;
  int last = printer.toPage() > 0 ? std::clamp(printer.toPage(), first, count) : count;

  QPainter painter;
  if (!painter.begin(&printer)) return {PrintOutcome::kNotStarted, 0};
  // Black on the paper whatever the screen's colours: light text meant for a dark background
  // would not show.
  QAbstractTextDocumentLayout::PaintContext context;
  context.palette.setColor(QPalette::Text, Qt::black);
  for (int page = first; page <= last; ++page) {
    if (page > first) printer.newPage();
    QRectF slice(0, (page - 1) * rect.Height(), rect.Width(), rect.Height());
    painter.save();
    painter.translate(rect.left, rect.top - slice.top());
    painter.setClipRect(slice);
    context.clip = slice;
    document.documentLayout()->draw(&painter, context);
    painter.restore();
  }
  painter.end();
  return {PrintOutcome::kPrinted, last - first + 1};
}

}  // namespace common::view
