// The grade dialog: the range kind decides which grade boxes show and what the text beside
// them says; confirming checks the range as the core does.
#include "app/ruby_commands/grade_dialog.h"

#include <utility>

#include "app/ruby_commands/dialog_support.h"
#include "ui_grade_dialog.h"

namespace app {

using engine::GradeRangeKind;

GradeDialog::GradeDialog(common::Settings& settings, common::Messenger& messenger,
                         std::function<void()> open_help, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::GradeDialog>()),
      settings_(settings),
      messenger_(messenger),
      options_(engine::GradeRubyOptionsOf(settings)) {
  ui_->setupUi(this);
  range_kinds_.addButton(ui_->single_radio, static_cast<int>(GradeRangeKind::kSingle));
  range_kinds_.addButton(ui_->range_radio, static_cast<int>(GradeRangeKind::kRange));
  range_kinds_.addButton(ui_->above_radio, static_cast<int>(GradeRangeKind::kAndAbove));
  range_kinds_.addButton(ui_->below_radio, static_cast<int>(GradeRangeKind::kAndBelow));
  range_kinds_.addButton(ui_->education_radio, static_cast<int>(GradeRangeKind::kEducationOnly));

  if (QAbstractButton* kind = range_kinds_.button(options_.range_kind)) kind->setChecked(true);
  SelectItem(*ui_->lower_box, options_.lower_grade - engine::kFirstGrade);
  SelectItem(*ui_->upper_box, options_.upper_grade - engine::kFirstGrade);
  ui_->tag_check->setChecked(options_.tag);
  ui_->header_check->setChecked(options_.header);
  ui_->compound_check->setChecked(options_.compound_check);
  ShowFirstRuby(*ui_->first_ruby_box, settings);
  ShowRangeKind(options_.range_kind);

  connect(&range_kinds_, &QButtonGroup::idClicked, this, &GradeDialog::ShowRangeKind);
  connect(ui_->run_button, &QPushButton::clicked, this, &GradeDialog::accept);
  connect(ui_->cancel_button, &QPushButton::clicked, this, &GradeDialog::reject);
  ConnectHelp(*ui_->help_button, std::move(open_help));
}

GradeDialog::~GradeDialog() = default;

void GradeDialog::accept() {
  engine::GradeRubyOptions chosen = Chosen();
  if (TellRefusal(engine::ValidateGradeRuby(chosen), messenger_)) return;
  options_ = chosen;
  engine::StoreGradeRubyOptions(options_, settings_);
  StoreFirstRuby(*ui_->first_ruby_box, settings_);
  QDialog::accept();
}

engine::GradeRubyOptions GradeDialog::Chosen() const {
  auto grade_of = [](const QComboBox& box, int stored) {
    return box.currentIndex() >= 0 ? box.currentIndex() + engine::kFirstGrade : stored;
  };
  return {.range_kind = CheckedIdOr(range_kinds_, options_.range_kind),
          .lower_grade = grade_of(*ui_->lower_box, options_.lower_grade),
          .upper_grade = grade_of(*ui_->upper_box, options_.upper_grade),
          .tag = ui_->tag_check->isChecked(),
          .header = ui_->header_check->isChecked(),
          .compound_check = ui_->compound_check->isChecked()};
}

void GradeDialog::ShowRangeKind(int kind) {
  bool range = kind == static_cast<int>(GradeRangeKind::kRange);
  ui_->lower_box->setVisible(kind != static_cast<int>(GradeRangeKind::kEducationOnly));
  ui_->between_label->setVisible(range);
  ui_->upper_box->setVisible(range);
  switch (static_cast<GradeRangeKind>(kind)) {
    case GradeRangeKind::kSingle:
      ui_->after_label->setText(tr("だけにルビ"));
      return;
    case GradeRangeKind::kRange:
      ui_->after_label->setText(tr("にルビ"));
      return;
    case GradeRangeKind::kAndAbove:
      ui_->after_label->setText(tr("以上(難)の漢字にルビ"));
      return;
    case GradeRangeKind::kAndBelow:
      ui_->after_label->setText(tr("以下(易)の漢字にルビ"));
      return;
    case GradeRangeKind::kEducationOnly:
      ui_->after_label->setText(tr("教育漢字すべてにルビ"));
      return;
  }
  ui_->after_label->clear();
}

}  // namespace app
