// The YMI settings dialog: the controls edit a YmiOptions record, the run button asks the core
// whether it can be run, and the preview is the core's rendering of the template.
#include "rubywindow/view/ymi_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/notation/field_entry.h"
#include "common/view/dialog_buttons.h"
#include "common/view/sjis_codec.h"
#include "rubywindow/template_table.h"
#include "rubywindow/view/template_list_dialog.h"

namespace rubywindow::view {

namespace {

using common::view::DecodeSjis;

constexpr int kMarkMaxLength = 16;

QGroupBox* RadioGroup(const QString& title, QButtonGroup& group, const QStringList& captions,
                      bool vertical, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  QBoxLayout* layout = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(box))
                                : static_cast<QBoxLayout*>(new QHBoxLayout(box));
  for (int id = 0; id < captions.size(); ++id) {
    auto* radio = new QRadioButton(captions[id], box);
    group.addButton(radio, id);
    layout->addWidget(radio);
  }
  return box;
}

void Check(QButtonGroup& group, int id) {
  if (QAbstractButton* button = group.button(id)) button->setChecked(true);
}

}  // namespace

YmiSettingsDialog::YmiSettingsDialog(const YmiOptions& options, TemplateList& stored,
                                     common::Messenger& messenger, QWidget* parent,
                                     std::function<void()> open_help)
    : QDialog(parent), options_(options), stored_(stored), messenger_(messenger) {
  setWindowTitle(tr("整形（ＹＭＩ）ファイル設定"));
  CreateControls(std::move(open_help));
  Fill();
  connect(&range_modes_, &QButtonGroup::idClicked, this, &YmiSettingsDialog::RangeModeChanged);
  connect(template_box_, &QComboBox::editTextChanged, this, &YmiSettingsDialog::ShowPreview);
  connect(separator_, &QLineEdit::textEdited, this, &YmiSettingsDialog::SeparatorEdited);
  connect(mark_, &QLineEdit::textEdited, this, &YmiSettingsDialog::WarnIfMarkCannotGo);
  connect(&mark_handlings_, &QButtonGroup::idClicked, this,
          &YmiSettingsDialog::WarnIfMarkCannotGo);
  connect(&part_modes_, &QButtonGroup::idClicked, this, &YmiSettingsDialog::WarnIfMarkCannotGo);
  // Enter in the first field box runs, as the run button does.
  connect(first_field_, &QSpinBox::editingFinished, this, [this] {
    if (first_field_->hasFocus()) accept();
  });
}

void YmiSettingsDialog::CreateControls(std::function<void()> open_help) {
  auto* layout = new QVBoxLayout(this);

  auto* fields = new QHBoxLayout;
  first_field_ = new QSpinBox(this);
  last_field_ = new QSpinBox(this);
  first_field_->setObjectName(QStringLiteral("firstField"));
  last_field_->setObjectName(QStringLiteral("lastField"));
  for (QSpinBox* box : {first_field_, last_field_}) box->setRange(1, kLastFieldOfOpenRange);
  fields->addWidget(new QLabel(tr("第"), this));
  fields->addWidget(first_field_);
  fields->addWidget(new QLabel(tr("～"), this));
  fields->addWidget(last_field_);
  fields->addWidget(new QLabel(tr("フィールド"), this));
  fields->addStretch();
  layout->addLayout(fields);
  layout->addWidget(RadioGroup(tr("□ﾌｨｰﾙﾄﾞ指定方法"), range_modes_,
                               {tr("単独ﾌｨｰﾙﾄﾞ指定"), tr("ﾌｨｰﾙﾄﾞ範囲指定"), tr("指定ﾌｨｰﾙﾄﾞ以降"),
                                tr("指定ﾌｨｰﾙﾄﾞ以前"), tr("ルビ振り時の設定")},
                               false, this));

  layout->addWidget(new QLabel(tr("●整形形式●  @@@@1 → 元ﾌｨｰﾙﾄﾞ部,  @@@@2 → 読み部,  ^^t → タブ"),
                               this));
  template_box_ = new QComboBox(this);
  template_box_->setObjectName(QStringLiteral("templateBox"));
  template_box_->setEditable(true);
  template_box_->setInsertPolicy(QComboBox::NoInsert);
  layout->addWidget(template_box_);
  preview_ = new QLabel(this);
  preview_->setObjectName(QStringLiteral("preview"));
  preview_->setFrameShape(QFrame::Panel);
  preview_->setFrameShadow(QFrame::Sunken);
  preview_->setTextFormat(Qt::PlainText);
  layout->addWidget(preview_);

  warn_markers_ = new QCheckBox(tr("元ﾌｨｰﾙﾄﾞ部・読み部の不存在を警告"), this);
  to_hiragana_ = new QCheckBox(tr("読み部のカタカナ(半角・全角)をひらがなに変換する。"), this);
  warn_markers_->setObjectName(QStringLiteral("warnMarkers"));
  to_hiragana_->setObjectName(QStringLiteral("toHiragana"));
  layout->addWidget(warn_markers_);
  layout->addWidget(to_hiragana_);

  auto* lines = new QGridLayout;
  mark_ = new QLineEdit(this);
  mark_->setObjectName(QStringLiteral("lineHeadMark"));
  mark_->setMaxLength(kMarkMaxLength);
  lines->addWidget(new QLabel(tr("◆整形行の行頭文字列◆"), this), 0, 0);
  lines->addWidget(mark_, 0, 1);
  lines->addWidget(RadioGroup(tr("◆整形する部位の指定"), part_modes_,
                              {tr("フィールドのみを指定"), tr("行＆フィールドを指定")}, true, this),
                   1, 0);
  lines->addWidget(
      RadioGroup(tr("行頭文字列"), mark_handlings_, {tr("残す"), tr("取る")}, true, this), 1, 1);
  layout->addLayout(lines);

  auto* separator = new QHBoxLayout;
  separator_ = new QLineEdit(this);
  separator_->setObjectName(QStringLiteral("separator"));
  separator_->setMaximumWidth(60);
  separator_code_ = new QLabel(this);
  separator_code_->setObjectName(QStringLiteral("separatorCode"));
  separator->addWidget(new QLabel(tr("F Sep"), this));
  separator->addWidget(separator_);
  separator->addWidget(separator_code_);
  separator->addStretch();
  layout->addLayout(separator);

  layout->addWidget(CreateButtons(std::move(open_help)));
}

QDialogButtonBox* YmiSettingsDialog::CreateButtons(std::function<void()> open_help) {
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* list = buttons->addButton(tr("ﾘｽﾄ編集(F9)"), QDialogButtonBox::ActionRole);
  QPushButton* run = buttons->addButton(tr("実行(F5)"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(tr("中止(ESC)"), QDialogButtonBox::RejectRole);
  list->setObjectName(QStringLiteral("listButton"));
  run->setObjectName(QStringLiteral("runButton"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  list->setShortcut(QKeySequence(Qt::Key_F9));
  run->setShortcut(QKeySequence(Qt::Key_F5));
  run->setAutoDefault(false);
  connect(list, &QPushButton::clicked, this, &YmiSettingsDialog::EditList);
  common::view::AddHelpButton(*buttons, tr("ヘルプ(&H)"), std::move(open_help), {});
  connect(buttons, &QDialogButtonBox::accepted, this, &YmiSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &YmiSettingsDialog::reject);
  return buttons;
}

void YmiSettingsDialog::Fill() {
  first_field_->setValue(options_.first_field);
  last_field_->setValue(options_.last_field);
  Check(range_modes_, options_.range_mode);
  FillTemplateCombo(*template_box_, stored_, options_.template_text);
  warn_markers_->setChecked(options_.warn_markers);
  to_hiragana_->setChecked(options_.to_hiragana);
  mark_->setText(DecodeSjis(options_.line_head_mark));
  Check(part_modes_, options_.part_mode);
  Check(mark_handlings_, options_.mark_handling);
  separator_->setText(DecodeSjis(options_.separator_edit));
  RangeModeChanged(options_.range_mode);
  ShowSeparatorCode();
  ShowPreview();
}

void YmiSettingsDialog::ShowPreview() {
  std::string text = common::view::EncodeSjisLossy(template_box_->currentText());
  preview_->setText(DecodeSjis(YmiPreview(text)));
}

// The line-and-field ruby range needs no field boxes.
void YmiSettingsDialog::RangeModeChanged(int mode) {
  bool own_fields = mode != static_cast<int>(RangeMode::kLineAndField);
  first_field_->setVisible(own_fields);
  last_field_->setVisible(own_fields);
  last_field_->setEnabled(mode == static_cast<int>(RangeMode::kRange));
}

// The edit keeps what common::KeptSeparatorEdit keeps, as every separator entry does.
void YmiSettingsDialog::SeparatorEdited(const QString& typed) {
  QString kept = common::view::KeptSeparatorEdit(typed);
  if (kept != typed) separator_->setText(kept);
  ShowSeparatorCode();
}

void YmiSettingsDialog::ShowSeparatorCode() {
  std::optional<char> separator =
      common::SeparatorByteOf(common::view::EncodeSjisLossy(separator_->text()));
  separator_code_->setText(separator ? QString::fromStdString(common::SeparatorCode(*separator))
                                     : QString());
}

void YmiSettingsDialog::WarnIfMarkCannotGo() {
  std::optional<YmiOptions> options = Collect();
  if (options && MarkCannotBeRemoved(*options)) {
    messenger_.Tell(*RefusalOf(*options));
  }
}

void YmiSettingsDialog::EditList() {
  if (!EditTemplateCombo(*template_box_, messenger_, this)) return;
  stored_ = StoredList(TemplateItemsOf(*template_box_));
  ShowPreview();
}

std::optional<YmiOptions> YmiSettingsDialog::Collect() {
  std::optional<std::string> template_text = SjisOrTell(template_box_->currentText(), messenger_);
  if (!template_text) return std::nullopt;
  std::optional<std::string> mark = SjisOrTell(mark_->text(), messenger_);
  if (!mark) return std::nullopt;
  std::optional<std::string> separator = SjisOrTell(separator_->text(), messenger_);
  if (!separator) return std::nullopt;
  YmiOptions options = options_;
  options.first_field = first_field_->value();
  options.last_field = last_field_->value();
  options.range_mode = range_modes_.checkedId();
  options.template_text = ExpandTabMarks(*template_text);
  options.warn_markers = warn_markers_->isChecked();
  options.to_hiragana = to_hiragana_->isChecked();
  options.line_head_mark = *mark;
  options.part_mode = part_modes_.checkedId();
  options.mark_handling = mark_handlings_.checkedId();
  options.separator_edit = *separator;
  return options;
}

// The template's "^^t" become tabs in the box as well; a refused choice keeps the dialog open
// with its message, and the marker warning only informs.
void YmiSettingsDialog::accept() {
  std::optional<YmiOptions> options = Collect();
  if (!options) return;
  template_box_->setEditText(DecodeSjis(options->template_text));
  if (std::optional<common::Message> refusal = RefusalOf(*options)) {
    messenger_.Tell(*refusal);
    return;
  }
  if (options->warn_markers) {
    if (std::optional<common::Message> warning =
            YmiMarkerWarning(ParseTemplate(options->template_text, kYmiMarkers))) {
      messenger_.Tell(*warning);
    }
  }
  options_ = *options;
  QDialog::accept();
}

}  // namespace rubywindow::view
