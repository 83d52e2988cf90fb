// The line-and-field dialog: the mode decides which controls are enabled, the field kind which
// number boxes show; the separator's code and the caret's field follow what is typed.
#include "app/ruby_commands/line_field_dialog.h"

#include <initializer_list>
#include <optional>
#include <utility>

#include "app/dialogs/dialog_support.h"
#include "app/dialogs/sjis_entry.h"
#include "common/notation/field_entry.h"
#include "common/view/sjis_codec.h"
#include "engine/markings/caret_field.h"
#include "ui_line_field_dialog.h"

namespace app {

using engine::FieldKind;
using engine::LineFieldMode;

namespace {

constexpr int kKeepMark = 0;
constexpr int kDeleteMark = 1;

std::string SjisOrEmpty(const QString& text) {
  std::optional<std::string> bytes = common::view::EncodeSjis(text);
  return bytes ? *bytes : std::string();
}

}  // namespace

LineFieldDialog::LineFieldDialog(common::Settings& settings, RubySessionChoices& session,
                                 const QString& caret_line_head, common::Messenger& messenger,
                                 std::function<void()> open_help, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::LineFieldDialog>()),
      settings_(settings),
      session_(session),
      caret_line_head_(SjisOrEmpty(caret_line_head)),
      messenger_(messenger) {
  ui_->setupUi(this);
  modes_.addButton(ui_->lines_radio, static_cast<int>(LineFieldMode::kLinesOnly));
  modes_.addButton(ui_->fields_radio, static_cast<int>(LineFieldMode::kFieldsOnly));
  modes_.addButton(ui_->both_radio, static_cast<int>(LineFieldMode::kLinesAndFields));
  mark_handling_.addButton(ui_->keep_mark_radio, kKeepMark);
  mark_handling_.addButton(ui_->delete_mark_radio, kDeleteMark);
  field_kinds_.addButton(ui_->single_field_radio, static_cast<int>(FieldKind::kSingle));
  field_kinds_.addButton(ui_->field_range_radio, static_cast<int>(FieldKind::kRange));
  field_kinds_.addButton(ui_->after_radio, static_cast<int>(FieldKind::kAndAfter));
  field_kinds_.addButton(ui_->before_radio, static_cast<int>(FieldKind::kAndBefore));
  Fill();
  ConnectControls();
  ConnectHelp(*ui_->help_button, std::move(open_help));
}

LineFieldDialog::~LineFieldDialog() = default;

void LineFieldDialog::Fill() {
  if (QAbstractButton* mode = modes_.button(settings_.line_field_mode)) mode->setChecked(true);
  ui_->mark_edit->setText(common::view::DecodeSjis(settings_.line_head_mark));
  mark_handling_.button(session_.delete_mark ? kDeleteMark : kKeepMark)->setChecked(true);
  ui_->separator_edit->setText(session_.separator_typed);
  if (QAbstractButton* kind = field_kinds_.button(settings_.field_range_type)) {
    kind->setChecked(true);
  }
  ui_->first_field_box->setValue(settings_.field_min);
  ui_->second_field_box->setValue(settings_.field_max);
  ModeChanged(settings_.line_field_mode);
  FieldKindChanged(settings_.field_range_type);
  ShowSeparator();
}

void LineFieldDialog::ConnectControls() {
  connect(&modes_, &QButtonGroup::idClicked, this, &LineFieldDialog::ModeChanged);
  connect(&field_kinds_, &QButtonGroup::idClicked, this, &LineFieldDialog::FieldKindChanged);
  connect(ui_->first_field_box, &QSpinBox::valueChanged, this,
          &LineFieldDialog::FieldNumbersChanged);
  connect(ui_->second_field_box, &QSpinBox::valueChanged, this,
          &LineFieldDialog::FieldNumbersChanged);
  connect(ui_->separator_edit, &QLineEdit::textEdited, this, &LineFieldDialog::SeparatorEdited);
  connect(ui_->mark_edit, &QLineEdit::textEdited, this, &LineFieldDialog::CheckMark);
  connect(&mark_handling_, &QButtonGroup::idClicked, this, &LineFieldDialog::CheckMark);
  connect(ui_->run_button, &QPushButton::clicked, this, &LineFieldDialog::accept);
  connect(ui_->cancel_button, &QPushButton::clicked, this, &LineFieldDialog::reject);
}

void LineFieldDialog::accept() {
  std::optional<std::string> mark = EncodeEntryOrTell(ui_->mark_edit->text(), messenger_);
  if (!mark) return;
  std::optional<std::string> separator = EncodeEntryOrTell(ui_->separator_edit->text(), messenger_);
  if (!separator) return;
  engine::LineFieldOptions chosen{
      .mode = CheckedIdOr(modes_, settings_.line_field_mode),
      .mark = *mark,
      .delete_mark = ui_->delete_mark_radio->isChecked(),
      .separator = common::SeparatorEntry(*separator),
      .field_kind = CheckedIdOr(field_kinds_, settings_.field_range_type),
      .first_field = ui_->first_field_box->value(),
      .second_field = ui_->second_field_box->value()};
  if (TellRefusal(engine::ValidateLineField(chosen), messenger_)) {
    if (chosen.mode != static_cast<int>(LineFieldMode::kFieldsOnly) && chosen.mark.empty()) {
      ui_->mark_edit->setFocus();
    }
    return;
  }
  options_ = std::move(chosen);
  engine::StoreLineFieldOptions(options_, settings_);
  session_.delete_mark = options_.delete_mark;
  QDialog::accept();
}

void LineFieldDialog::ModeChanged(int mode) {
  settings_.line_field_mode = mode;
  bool lines = mode != static_cast<int>(LineFieldMode::kFieldsOnly);
  bool fields = mode != static_cast<int>(LineFieldMode::kLinesOnly);
  const std::initializer_list<QWidget*> mark_controls = {ui_->mark_label, ui_->mark_edit,
                                                         ui_->handling_group};
  for (QWidget* control : mark_controls) control->setEnabled(lines);
  const std::initializer_list<QWidget*> field_controls = {ui_->separator_label, ui_->separator_edit,
                                                          ui_->separator_code_label,
                                                          ui_->kind_group, ui_->number_group};
  for (QWidget* control : field_controls) control->setEnabled(fields);
}

void LineFieldDialog::FieldKindChanged(int kind) {
  settings_.field_range_type = kind;
  bool range = kind == static_cast<int>(FieldKind::kRange);
  ui_->between_label->setVisible(range);
  ui_->second_field_box->setVisible(range);
  switch (static_cast<FieldKind>(kind)) {
    case FieldKind::kAndAfter:
      ui_->field_word_label->setText(tr("フィールド以降"));
      return;
    case FieldKind::kAndBefore:
      ui_->field_word_label->setText(tr("フィールド以前"));
      return;
    case FieldKind::kSingle:
    case FieldKind::kRange:
      break;
  }
  ui_->field_word_label->setText(tr("フィールド"));
}

void LineFieldDialog::FieldNumbersChanged() {
  settings_.field_min = ui_->first_field_box->value();
  settings_.field_max = ui_->second_field_box->value();
}

// The edit keeps what common::KeptSeparatorEdit keeps, as every separator entry does.
void LineFieldDialog::SeparatorEdited(const QString& typed) {
  QString kept = common::view::KeptSeparatorEdit(typed);
  if (kept != typed) ui_->separator_edit->setText(kept);
  session_.separator_typed = ui_->separator_edit->text();
  ShowSeparator();
}

void LineFieldDialog::CheckMark() {
  if (!ui_->delete_mark_radio->isChecked()) return;
  TellRefusal(engine::CheckMarkDeletion(SjisOrEmpty(ui_->mark_edit->text()), true), messenger_);
}

void LineFieldDialog::ShowSeparator() {
  std::string separator = common::SeparatorEntry(SeparatorBytes());
  ui_->separator_code_label->setText(
      separator.empty() ? QString() : QString::fromStdString(common::SeparatorCode(separator[0])));
  ui_->caret_field_label->setText(
      tr("・現ｶ-ｿﾙは<%1>field.").arg(engine::CaretField(caret_line_head_, separator)));
}

std::string LineFieldDialog::SeparatorBytes() const {
  return SjisOrEmpty(ui_->separator_edit->text());
}

}  // namespace app
