// The decide, cancel and help buttons of a settings dialog.
#include "common/view/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace common::view {

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

}  // namespace common::view
