// Ruby emphasis: the groups of the ruby window's text coloured on screen (braces and '/' green,
// base and reading red, all bold). Only the display changes: the text, its modified flag, its
// undo history and the selection stay as they are. A long text is coloured a slice at a time,
// so the window keeps answering, and Esc stops the colouring where it has got to.
#pragma once

#include <QElapsedTimer>
#include <QSyntaxHighlighter>
#include <QTimer>

namespace rubywindow::view {

class RubyEmphasis : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  // `keys` is the widget whose Esc stops the colouring (the text pane).
  RubyEmphasis(QTextDocument* document, QWidget* keys);

  // Colours at most `limit` + 1 groups from the start of the text, in slices.
  void SwitchOn(int limit);
  // Takes the colours away, in slices as well.
  void SwitchOff();
  void Stop();
  bool IsOn() const { return on_; }
  bool IsColouring() const { return timer_.isActive(); }
  bool IsClearing() const { return clear_timer_.isActive(); }

 signals:
  void Finished();

 protected:
  void highlightBlock(const QString& text) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ColourSlice();
  void ClearSlice();
  void ClearAtOnce();

  QWidget* keys_;
  QTimer timer_;
  QTimer clear_timer_;
  bool on_ = false;
  int limit_ = 0;
  int watermark_ = 0;  // blocks before it are coloured; those after it are left alone
  int still_coloured_ = 0;  // while switching off: the blocks before it keep their colours
};

}  // namespace rubywindow::view
