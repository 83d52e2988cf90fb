#include "common/view/status_line.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace common::view {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
  // A path holding "<" or "&" is shown as it is written.
  setTextFormat(Qt::PlainText);
}

QString StatusLine::ShownText() const {
  int room = contentsRect().width() - 2 * margin();
  return fontMetrics().elidedText(text(), Qt::ElideMiddle, room);
}

QSize StatusLine::minimumSizeHint() const {
  return {0, QLabel::minimumSizeHint().height()};
}

// The tooltip is decided as it is asked for, so that it follows the text and the width
// whoever set them.
bool StatusLine::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    setToolTip(ShownText() == text() ? QString() : text());
  }
  return QLabel::event(event);
}

void StatusLine::paintEvent(QPaintEvent* event) {
  static_cast<void>(event);
  QPainter painter(this);
  drawFrame(&painter);
  int room = margin();
  style()->drawItemText(&painter, contentsRect().adjusted(room, room, -room, -room),
                        QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                        isEnabled(), ShownText(), foregroundRole());
}

}  // namespace common::view
