// The ruby window's choice among a group's readings: a group that offers alternatives
// ({人/ひと|にん}) lists them under 読みを選ぶ, in the pop-up menu for the group clicked and under
// F4 for the group at the caret; the one chosen replaces the group as one undoable edit.
#include <QAction>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>

#include "common/view/qt_text.h"
#include "common/view/sjis_codec.h"
#include "common/view/status_line.h"
#include "common/view/text_pane.h"
#include "rubywindow/alternatives.h"
#include "rubywindow/view/messages.h"
#include "rubywindow/view/ruby_window.h"

namespace rubywindow::view {

std::vector<common::view::ActionRow> RubyWindow::ReadingActions() {
  return {
      {.name = "chooseReading",
       .caption = tr("読みを選ぶ(&E)"),
       .key = QKeySequence(Qt::Key_F4),
       .hint = tr("複数の読みを持つルビ部で、読みを一つ選ぶ"),
       .triggered = [this] { ChooseReadingAtCaret(); }},
      // The pop-up menu's entry opens the list of readings itself.
      {.name = "popupReadings", .caption = tr("読みを選ぶ(&E)")},
  };
}

void RubyWindow::CreateReadingsMenu() {
  readings_menu_ = new QMenu(this);
  readings_menu_->setObjectName(QStringLiteral("readingChoices"));
  Named("popupReadings")->setMenu(readings_menu_);
}

// The group is looked for in its line alone: a long text is never encoded whole, and a
// character elsewhere that Shift_JIS cannot hold does not hide it.
bool RubyWindow::FillReadingChoices(int position) {
  readings_menu_->clear();
  QTextBlock block = Pane()->document()->findBlock(position);
  const QString line = block.text();
  std::optional<std::string> sjis = common::view::EncodeSjis(line);
  std::optional<GroupAlternatives> found;
  if (sjis) {
    std::size_t byte =
        common::view::SjisByteLength(QStringView(line).left(position - block.position()));
    found = AlternativesAt(*sjis, byte);
  }
  Named("popupReadings")->setEnabled(found.has_value());
  if (!found) return false;
  // Positions in the document of the group's first character and of the one after it.
  auto position_of = [&block, line = std::string_view(*sjis)](std::size_t byte) {
    return block.position() +
           static_cast<int>(common::view::DecodeSjis(line.substr(0, byte)).size());
  };
  int start = position_of(found->open);
  int end = position_of(found->end);
  for (std::size_t i = 0; i < found->readings.size(); ++i) {
    QString reading = common::view::DecodeSjis(found->readings[i]);
    QString group = common::view::DecodeSjis(found->groups[i]);
    QAction* choice = readings_menu_->addAction(QString(reading).replace('&', "&&"));
    connect(choice, &QAction::triggered, this, [this, start, end, group] {
      QTextCursor cursor = Pane()->textCursor();
      cursor.beginEditBlock();
      cursor.setPosition(start);
      cursor.setPosition(end, QTextCursor::KeepAnchor);
      cursor.insertText(group);
      cursor.endEditBlock();
      Pane()->setTextCursor(cursor);
      Pane()->NotifyCaretMoved();
    });
  }
  return true;
}

void RubyWindow::PreparePopupMenu(QPoint at) {
  FillReadingChoices(Pane()->cursorForPosition(at).position());
}

void RubyWindow::ChooseReadingAtCaret() {
  if (!FillReadingChoices(Pane()->textCursor().position())) {
    FilePanel()->setText(common::view::QStringOfUtf8(messages::kNoReadingsAtCaret));
    return;
  }
  QRect caret = Pane()->cursorRect();
  readings_menu_->exec(Pane()->viewport()->mapToGlobal(caret.bottomLeft()));
}

}  // namespace rubywindow::view
