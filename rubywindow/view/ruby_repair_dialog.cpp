// The ruby repair and emphasis settings dialogs.
#include "rubywindow/view/ruby_repair_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/view/dialog_buttons.h"
#include "common/view/qt_text.h"
#include "rubywindow/view/messages.h"

namespace rubywindow::view {

namespace {

constexpr int kEmphasisLimitLow = 500;
constexpr int kEmphasisLimitHigh = 30000;
constexpr int kEmphasisLimitStep = 50;

// Radio buttons whose ids are `first_id`, `first_id` + 1, ...
QGroupBox* RadioGroup(const QString& title, QButtonGroup& group, const QStringList& captions,
                      int first_id, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  for (int i = 0; i < captions.size(); ++i) {
    auto* radio = new QRadioButton(captions[i], box);
    group.addButton(radio, first_id + i);
    layout->addWidget(radio);
  }
  return box;
}

void Check(QButtonGroup& group, int id) {
  if (QAbstractButton* button = group.button(id)) button->setChecked(true);
}

}  // namespace

RubyRepairDialog::RubyRepairDialog(const RepairRequest& request, QWidget* parent)
    : QDialog(parent), all_groups_(request.all_groups) {
  setWindowTitle(tr("◇ルビの修正"));
  auto* layout = new QVBoxLayout(this);
  auto* choices = new QHBoxLayout;
  choices->addWidget(RadioGroup(tr("◆変換の種類"), kinds_,
                                {tr("漢字だけ残す。"), tr("かなだけ残す。"), tr("平仮名→片仮名"),
                                 tr("片仮名→平仮名")},
                                static_cast<int>(RepairKind::kKeepBase), this));
  QGroupBox* scope = RadioGroup(tr("◎変換する範囲"), scopes_, {tr("選択部分"), tr("全文書")}, 1, this);
  QGroupBox* which = RadioGroup(tr("▼変換するルビ"), which_,
                                {tr("指定されたルビのみ"), tr("すべての種類のルビ")}, 0, this);
  choices->addWidget(scope);
  choices->addWidget(which);
  layout->addLayout(choices);
  align_kana_ = new QCheckBox(tr("ルビ間の仮名をルビにそろえる。"), this);
  align_kana_->setObjectName(QStringLiteral("alignKana"));
  layout->addWidget(align_kana_);

  Check(kinds_, request.kind);
  Check(scopes_, all_groups_ ? 2 : request.scope);
  Check(which_, all_groups_ ? 1 : 0);
  align_kana_->setChecked(request.align_kana);
  scope->setEnabled(!all_groups_);
  which->setEnabled(false);
  align_kana_->setEnabled(!all_groups_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* run = buttons->addButton(tr("実 行"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(tr("中 止"), QDialogButtonBox::RejectRole);
  run->setObjectName(QStringLiteral("runButton"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

RepairRequest RubyRepairDialog::Request() const {
  return {.kind = kinds_.checkedId() < 0 ? 0 : kinds_.checkedId(),
          .scope = scopes_.checkedId(),
          .align_kana = align_kana_->isChecked(),
          .all_groups = all_groups_};
}

// Closing by the window's close box cancels, as "中 止" does: nothing the user did not run
// changes the text.
std::optional<RepairRequest> RubyRepairDialog::Ask(const RepairRequest& request, QWidget* parent) {
  RubyRepairDialog dialog(request, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Request();
}

EmphasisSettingsDialog::EmphasisSettingsDialog(common::Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setWindowTitle(common::view::QStringOfUtf8(messages::kEmphasisDialogTitle));
  auto* layout = new QVBoxLayout(this);
  on_ = new QCheckBox(tr("るびを強調表示する。"), this);
  on_->setObjectName(QStringLiteral("emphasisOn"));
  on_->setChecked(settings_.highlight_readings == 1);
  layout->addWidget(on_);
  auto* limit = new QHBoxLayout;
  limit_ = new QSpinBox(this);
  limit_->setObjectName(QStringLiteral("emphasisLimit"));
  limit_->setRange(kEmphasisLimitLow, kEmphasisLimitHigh);
  limit_->setSingleStep(kEmphasisLimitStep);
  limit_->setValue(settings_.highlight_max);
  limit->addWidget(limit_);
  limit->addWidget(new QLabel(tr("個まで強調表示"), this));
  layout->addLayout(limit);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(tr("決　定"), QDialogButtonBox::AcceptRole);
  buttons->addButton(tr("Cansel"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &EmphasisSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  common::view::KeepTitleInSight(*this);
}

void EmphasisSettingsDialog::accept() {
  settings_.highlight_readings = on_->isChecked() ? 1 : 0;
  settings_.highlight_max = limit_->value();
  QDialog::accept();
}

}  // namespace rubywindow::view
