// The decide, cancel and help buttons of a settings dialog.
#include "common/view/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <algorithm>

namespace common::view {

namespace {

// The frame's icon and its three buttons beside a title.
constexpr int kTitleFrameRoom = 110;

}  // namespace

void KeepTitleInSight(QDialog& dialog) {
  QFont title_font = dialog.font();
  title_font.setBold(true);
  int needed = QFontMetrics(title_font).horizontalAdvance(dialog.windowTitle()) + kTitleFrameRoom;
  dialog.setMinimumWidth(std::max(dialog.minimumWidth(), needed));
}

QLayout* DecideCancelButtons(QDialog& dialog, std::function<void()> open_help) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* decide = new QPushButton(QDialog::tr("決定"), &dialog);
  auto* cancel = new QPushButton(QDialog::tr("中止"), &dialog);
  decide->setObjectName(QStringLiteral("decideButton"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  decide->setDefault(true);
  QObject::connect(decide, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  row->addWidget(decide);
  row->addWidget(cancel);
  if (open_help) {
    auto* help = new QPushButton(QDialog::tr("ヘルプ"), &dialog);
    help->setObjectName(QStringLiteral("helpButton"));
    QObject::connect(help, &QPushButton::clicked, &dialog,
                     [open_help = std::move(open_help)] { open_help(); });
    row->addWidget(help);
  }
  return row;
}

QPushButton* AddHelpButton(QDialogButtonBox& buttons, const QString& caption,
                           std::function<void()> open_help, const QKeySequence& key) {
  if (!open_help) return nullptr;
  QPushButton* help = buttons.addButton(caption, QDialogButtonBox::HelpRole);
  help->setObjectName(QStringLiteral("helpButton"));
  help->setAutoDefault(false);
  if (!key.isEmpty()) help->setShortcut(key);
  QObject::connect(help, &QPushButton::clicked, &buttons,
                   [open_help = std::move(open_help)] { open_help(); });
  return help;
}

}  // namespace common::view
