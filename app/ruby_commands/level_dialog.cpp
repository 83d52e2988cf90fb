// The level dialog: the range kind decides which level boxes show and what the label between
// them says; confirming checks the range as the core does.
#include "app/ruby_commands/level_dialog.h"

#include <utility>

#include "app/ruby_commands/dialog_support.h"
#include "ui_level_dialog.h"

namespace app {

using engine::LevelRangeKind;

LevelDialog::LevelDialog(common::Settings& settings, common::Messenger& messenger,
                         std::function<void()> open_help, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::LevelDialog>()),
      settings_(settings),
      messenger_(messenger),
      options_(engine::LevelRubyOptionsOf(settings)) {
  ui_->setupUi(this);
  range_kinds_.addButton(ui_->single_radio, static_cast<int>(LevelRangeKind::kSingle));
  range_kinds_.addButton(ui_->range_radio, static_cast<int>(LevelRangeKind::kRange));
  range_kinds_.addButton(ui_->above_radio, static_cast<int>(LevelRangeKind::kAndAbove));
  range_kinds_.addButton(ui_->below_radio, static_cast<int>(LevelRangeKind::kAndBelow));
  range_kinds_.addButton(ui_->outside_radio, static_cast<int>(LevelRangeKind::kOutsideOnly));

  if (QAbstractButton* kind = range_kinds_.button(options_.range_kind)) kind->setChecked(true);
  SelectItem(*ui_->first_box, options_.first_box);
  SelectItem(*ui_->second_box, options_.second_box);
  ui_->tag_check->setChecked(options_.tag);
  ui_->header_check->setChecked(options_.header);
  ShowFirstRuby(*ui_->first_ruby_box, settings);
  ShowRangeKind(options_.range_kind);

  connect(&range_kinds_, &QButtonGroup::idClicked, this, &LevelDialog::ShowRangeKind);
  connect(ui_->run_button, &QPushButton::clicked, this, &LevelDialog::accept);
  connect(ui_->cancel_button, &QPushButton::clicked, this, &LevelDialog::reject);
  ConnectHelp(*ui_->help_button, std::move(open_help));
}

LevelDialog::~LevelDialog() = default;

void LevelDialog::accept() {
  engine::LevelRubyOptions chosen = Chosen();
  settings_.level_range_type = chosen.range_kind;
  settings_.level_high = chosen.first_box;
  settings_.level_low = chosen.second_box;
  if (TellRefusal(engine::ValidateLevelRuby(chosen), messenger_)) return;
  // A single level, and "the level and below", have no second box of their own.
  if (chosen.range_kind == static_cast<int>(LevelRangeKind::kSingle) ||
      chosen.range_kind == static_cast<int>(LevelRangeKind::kAndBelow)) {
    chosen.second_box = chosen.first_box;
  }
  options_ = chosen;
  engine::StoreLevelRubyOptions(options_, settings_);
  StoreFirstRuby(*ui_->first_ruby_box, settings_);
  QDialog::accept();
}

// A box without a selection stands for no level: the core refuses it as "級の指定がありません".
engine::LevelRubyOptions LevelDialog::Chosen() const {
  return {.range_kind = CheckedIdOr(range_kinds_, options_.range_kind),
          .first_box = ui_->first_box->currentIndex(),
          .second_box = ui_->second_box->currentIndex(),
          .tag = ui_->tag_check->isChecked(),
          .header = ui_->header_check->isChecked()};
}

void LevelDialog::ShowRangeKind(int kind) {
  ui_->first_box->setVisible(kind != static_cast<int>(LevelRangeKind::kOutsideOnly));
  ui_->second_box->setVisible(kind == static_cast<int>(LevelRangeKind::kRange));
  switch (static_cast<LevelRangeKind>(kind)) {
    case LevelRangeKind::kRange:
      ui_->range_label->setText(tr(" ～"));
      return;
    case LevelRangeKind::kAndAbove:
      ui_->range_label->setText(tr("以上(～級外)"));
      return;
    case LevelRangeKind::kAndBelow:
      ui_->range_label->setText(tr("以下(～１０級)"));
      return;
    case LevelRangeKind::kSingle:
    case LevelRangeKind::kOutsideOnly:
      break;
  }
  ui_->range_label->clear();
}

}  // namespace app
