// The template list editor: a plain text of at most 1400 characters, one template a line.
#include "rubywindow/view/template_list_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "common/message_format.h"
#include "common/view/qt_text.h"
#include "common/view/sjis_codec.h"
#include "rubywindow/messages.h"
#include "rubywindow/view/messages.h"

namespace rubywindow::view {

namespace {

constexpr int kWarningColour = 0xFF0000;  // red, as 0xRRGGBB for the style sheet

}  // namespace

TemplateListDialog::TemplateListDialog(const TemplateList& list, common::Messenger& messenger,
                                       QWidget* parent)
    : QDialog(parent),
      editor_(new QPlainTextEdit(this)),
      position_(new QLabel(this)),
      messenger_(messenger),
      list_(list) {
  setWindowTitle(common::view::QStringOfUtf8(messages::kListEditorTitle));
  editor_->setObjectName(QStringLiteral("listEditor"));
  position_->setObjectName(QStringLiteral("positionLabel"));
  editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor_->setPlainText(common::view::DecodeSjis(ListEditorText(list)));

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* decide = buttons->addButton(tr("決 定"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(tr("中 止"), QDialogButtonBox::RejectRole);
  decide->setObjectName(QStringLiteral("decideButton"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  decide->setShortcut(QKeySequence(Qt::Key_F8));
  connect(buttons, &QDialogButtonBox::accepted, this, &TemplateListDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TemplateListDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(editor_);
  layout->addWidget(position_);
  layout->addWidget(buttons);
  resize(560, 420);

  connect(editor_, &QPlainTextEdit::textChanged, this, &TemplateListDialog::KeepWithinLimit);
  connect(editor_, &QPlainTextEdit::cursorPositionChanged, this,
          &TemplateListDialog::ShowPosition);
  ShowPosition();
}

std::optional<TemplateList> TemplateListDialog::Edit(const TemplateList& list,
                                                     common::Messenger& messenger,
                                                     QWidget* parent) {
  TemplateListDialog dialog(list, messenger, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.List();
}

// Typing or pasting past the limit keeps what fits; the rest never enters the list.
void TemplateListDialog::KeepWithinLimit() {
  QString text = editor_->toPlainText();
  auto limit = static_cast<qsizetype>(kListEditorMaxCharacters);
  if (text.size() <= limit) return;
  QTextCursor cursor = editor_->textCursor();
  cursor.setPosition(static_cast<int>(limit));
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  QApplication::beep();
}

void TemplateListDialog::ShowPosition() {
  QTextCursor cursor = editor_->textCursor();
  int line = cursor.blockNumber() + 1;
  int column = cursor.positionInBlock() + 1;
  QString text = common::view::QStringOfUtf8(
      common::FormatMessage(messages::kListPosition, {std::int64_t{line}, std::int64_t{column}}));
  bool taken = IsListLineTaken(line);
  if (!taken) text += common::view::QStringOfUtf8(rubywindow::messages::kListLineIgnored);
  position_->setStyleSheet(
      taken ? QString() : QStringLiteral("color: #%1;").arg(kWarningColour, 6, 16, QChar(u'0')));
  position_->setText(text);
  if (!taken && !warned_) QApplication::beep();
  warned_ = !taken;
}

// A template Shift_JIS cannot hold would be stored with the character lost, so it is named and
// the editor stays open.
void TemplateListDialog::accept() {
  std::optional<std::string> text = SjisOrTell(editor_->toPlainText(), messenger_);
  if (!text) return;
  list_ = ListFromEditorText(*text);
  QDialog::accept();
}

std::optional<std::string> SjisOrTell(const QString& text, common::Messenger& messenger) {
  common::view::Unencodable bad;
  std::optional<std::string> bytes = common::view::EncodeSjis(text, &bad);
  if (!bytes) {
    messenger.Tell({std::string(messages::kTitleUnencodable),
                    common::FormatMessage(messages::kUnencodable,
                                          {common::view::DescribeCharacter(bad.character),
                                           std::int64_t{bad.line}, std::int64_t{bad.column}}),
                    common::Icon::kWarning});
  }
  return bytes;
}

void FillTemplateCombo(QComboBox& combo, const TemplateList& list, std::string_view current) {
  combo.clear();
  for (const std::string& entry : list) combo.addItem(common::view::DecodeSjis(entry));
  combo.setEditText(common::view::DecodeSjis(InitialTemplate(current, list)));
}

// The items came from Shift_JIS or through the editor's check, so they encode whole.
TemplateList TemplateItemsOf(const QComboBox& combo) {
  TemplateList list;
  for (int i = 0; i < combo.count() && i < static_cast<int>(list.size()); ++i) {
    list[static_cast<std::size_t>(i)] = common::view::EncodeSjisLossy(combo.itemText(i));
  }
  return list;
}

bool EditTemplateCombo(QComboBox& combo, common::Messenger& messenger, QWidget* parent) {
  std::optional<TemplateList> edited =
      TemplateListDialog::Edit(TemplateItemsOf(combo), messenger, parent);
  if (!edited) return false;
  FillTemplateCombo(combo, *edited, (*edited)[0]);
  return true;
}

}  // namespace rubywindow::view
