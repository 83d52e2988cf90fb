// A panel of a window's status bar. A text wider than the panel is shown shortened in the
// middle ("/home/…/story.srb を書き出しました。"), again at each change of width, and the whole
// text appears as the panel's tooltip; text() always holds the whole text.
#pragma once

#include <QLabel>
#include <QSize>
#include <QString>

class QEvent;
class QPaintEvent;

namespace common::view {

class StatusLine : public QLabel {
  Q_OBJECT

 public:
  explicit StatusLine(QWidget* parent = nullptr);

  // The text as the panel shows it at its present width.
  QString ShownText() const;

  // However long its text, the panel may be made as narrow as its minimum width.
  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace common::view
