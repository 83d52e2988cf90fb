// Ruby emphasis through a syntax highlighter: formats that live in the layout only, never in the
// document. Each block's state carries the number of groups coloured up to its end, so the
// limit counts from the start of the text across lines.
#include "rubywindow/view/ruby_emphasis.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QWidget>
#include <algorithm>

#include "common/view/colour_value.h"
#include "rubywindow/group_spans.h"

namespace rubywindow::view {

namespace {

constexpr int kMarkColour = 0x008000;     // green, 0x00BBGGRR
constexpr int kRubyColour = 0x0000FF;     // red, 0x00BBGGRR
constexpr int kSliceMilliseconds = 20;  // the longest the window waits on one slice
constexpr int kNotColoured = -1;

QTextCharFormat BoldIn(int bgr) {
  QTextCharFormat format;
  format.setForeground(common::view::ColourOfBgr(bgr));
  format.setFontWeight(QFont::Bold);
  return format;
}

}  // namespace

RubyEmphasis::RubyEmphasis(QTextDocument* document, QWidget* keys)
    : QSyntaxHighlighter(document), keys_(keys) {
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &RubyEmphasis::ColourSlice);
  clear_timer_.setInterval(0);
  connect(&clear_timer_, &QTimer::timeout, this, &RubyEmphasis::ClearSlice);
}

void RubyEmphasis::SwitchOn(int limit) {
  Stop();
  ClearAtOnce();
  on_ = true;
  limit_ = limit;
  watermark_ = 0;
  keys_->installEventFilter(this);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  timer_.start();
}

void RubyEmphasis::SwitchOff() {
  Stop();
  on_ = false;
  still_coloured_ = std::max(still_coloured_, watermark_);
  watermark_ = 0;
  if (still_coloured_ > 0) clear_timer_.start();
}

// Blocks are cleared from the last coloured one back to the first: a block whose state changes
// makes the highlighter redo the next one, which, already clear, stops it there. Clearing
// forwards would carry on through every coloured block at once.
void RubyEmphasis::ClearSlice() {
  QElapsedTimer slice;
  slice.start();
  QTextDocument* text = document();
  still_coloured_ = std::min(still_coloured_, text->blockCount());
  while (still_coloured_ > 0 && slice.elapsed() < kSliceMilliseconds) {
    --still_coloured_;
    rehighlightBlock(text->findBlockByNumber(still_coloured_));
  }
  if (still_coloured_ == 0) clear_timer_.stop();
}

// Before colouring anew, whatever an unfinished switch-off left is cleared in one go: the
// first block's change carries on to the last coloured one.
void RubyEmphasis::ClearAtOnce() {
  clear_timer_.stop();
  bool coloured = still_coloured_ > 0 || watermark_ > 0;
  on_ = false;
  still_coloured_ = 0;
  watermark_ = 0;
  if (coloured) rehighlightBlock(document()->firstBlock());
}

void RubyEmphasis::Stop() {
  if (!timer_.isActive()) return;
  timer_.stop();
  keys_->removeEventFilter(this);
  QApplication::restoreOverrideCursor();
  emit Finished();
}

void RubyEmphasis::ColourSlice() {
  QElapsedTimer slice;
  slice.start();
  QTextDocument* text = document();
  while (slice.elapsed() < kSliceMilliseconds) {
    if (watermark_ >= text->blockCount()) {
      Stop();
      return;
    }
    QTextBlock block = text->findBlockByNumber(watermark_);
    ++watermark_;
    rehighlightBlock(block);
    if (block.userState() > limit_) {
      Stop();
      return;
    }
  }
}

void RubyEmphasis::highlightBlock(const QString& text) {
  if (!on_ || currentBlock().blockNumber() >= watermark_) {
    setCurrentBlockState(kNotColoured);
    return;
  }
  int coloured = std::max(previousBlockState(), 0);
  static const QTextCharFormat mark = BoldIn(kMarkColour);
  static const QTextCharFormat ruby = BoldIn(kRubyColour);
  for (const GroupSpan& group :
       GroupSpansOf(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                        static_cast<std::size_t>(text.size())))) {
    if (coloured > limit_) break;
    auto at = [](std::size_t position) { return static_cast<int>(position); };
    setFormat(at(group.open), 1, mark);
    setFormat(at(group.open) + 1, at(group.slash - group.open - 1), ruby);
    setFormat(at(group.slash), 1, mark);
    setFormat(at(group.slash) + 1, at(group.close - group.slash - 1), ruby);
    setFormat(at(group.close), 1, mark);
    ++coloured;
  }
  setCurrentBlockState(coloured);
}

bool RubyEmphasis::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    Stop();
    return true;
  }
  return QSyntaxHighlighter::eventFilter(watched, event);
}

}  // namespace rubywindow::view
