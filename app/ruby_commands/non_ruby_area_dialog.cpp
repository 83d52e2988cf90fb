// The non-ruby area dialog: the string controls are enabled only while areas are on.
#include "app/ruby_commands/non_ruby_area_dialog.h"

#include <optional>
#include <string>

#include "app/dialogs/sjis_entry.h"
#include "common/view/sjis_codec.h"
#include "ui_non_ruby_area_dialog.h"

namespace app {

NonRubyAreaDialog::NonRubyAreaDialog(common::Settings& settings, common::Messenger& messenger,
                                     QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::NonRubyAreaDialog>()),
      settings_(settings),
      messenger_(messenger),
      areas_(common::NonRubyAreasOf(settings)) {
  ui_->setupUi(this);
  (areas_.enabled ? ui_->on_radio : ui_->off_radio)->setChecked(true);
  ui_->start_edit->setText(common::view::DecodeSjis(areas_.start));
  ui_->end_edit->setText(common::view::DecodeSjis(areas_.end));
  ui_->strings_group->setEnabled(areas_.enabled);

  connect(ui_->on_radio, &QRadioButton::toggled, this, &NonRubyAreaDialog::ModeChosen);
  connect(ui_->confirm_button, &QPushButton::clicked, this, &NonRubyAreaDialog::accept);
  connect(ui_->cancel_button, &QPushButton::clicked, this, &NonRubyAreaDialog::reject);
}

NonRubyAreaDialog::~NonRubyAreaDialog() = default;

void NonRubyAreaDialog::accept() {
  std::optional<std::string> start = EncodeEntryOrTell(ui_->start_edit->text(), messenger_);
  if (!start) return;
  std::optional<std::string> end = EncodeEntryOrTell(ui_->end_edit->text(), messenger_);
  if (!end) return;
  settings_.no_rb_bgn_str = *start;
  settings_.no_rb_end_str = *end;
  areas_ = common::NonRubyAreasOf(settings_);
  areas_.delete_start = ui_->delete_start_check->isChecked();
  areas_.delete_end = ui_->delete_end_check->isChecked();
  QDialog::accept();
}

void NonRubyAreaDialog::ModeChosen(bool enabled) {
  settings_.no_rb_yuko = enabled;
  ui_->strings_group->setEnabled(enabled);
}

}  // namespace app
