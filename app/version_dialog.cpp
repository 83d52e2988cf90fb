// The version box.
#include "app/version_dialog.h"

#include "ui_version_dialog.h"

#ifndef MIRUKAZE_VERSION
#define MIRUKAZE_VERSION "?"
#endif

namespace app {

VersionDialog::VersionDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::VersionDialog>()) {
  ui_->setupUi(this);
  ui_->versionLabel->setText(
      tr("mirukaze %1 (%2)")
          .arg(QStringLiteral(MIRUKAZE_VERSION), QCoreApplication::applicationName()));
}

VersionDialog::~VersionDialog() = default;

}  // namespace app
