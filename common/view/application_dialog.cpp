// The registration dialog: a view over common/settings/applications, which holds every rule.
#include "common/view/application_dialog.h"

#include <QListWidgetItem>
#include <QShortcut>
#include <vector>

#include "common/settings/applications.h"
#include "common/view/choosers.h"
#include "common/view/qt_text.h"
#include "ui_application_dialog.h"

namespace common::view {

namespace {

// Any file the user may run; Linux programs have no extension to filter on.
constexpr const char* kProgramFilter = "実行ファイル (*)";
constexpr const char* kPickTitle = "登録するｱﾌﾟﾘｹｰｼｮﾝを指定";

}  // namespace

ApplicationDialog::ApplicationDialog(Settings& settings, Messenger& messenger, Choosers& choosers,
                                     QString start_folder, QWidget* parent,
                                     std::function<void()> open_help)
    : QDialog(parent),
      ui_(std::make_unique<Ui::ApplicationDialog>()),
      settings_(settings),
      messenger_(messenger),
      choosers_(choosers),
      start_folder_(std::move(start_folder)) {
  ui_->setupUi(this);
  if (open_help) {
    connect(ui_->helpButton, &QPushButton::clicked, this,
            [open_help = std::move(open_help)] { open_help(); });
  } else {
    ui_->helpButton->hide();
  }
  const std::pair<QPushButton*, Qt::Key> keys[] = {{ui_->registerButton, Qt::Key_F3},
                                                   {ui_->checkButton, Qt::Key_F4},
                                                   {ui_->closeButton, Qt::Key_F5},
                                                   {ui_->removeTickedButton, Qt::Key_F7},
                                                   {ui_->removeAllButton, Qt::Key_F8}};
  for (auto [button, key] : keys) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    connect(shortcut, &QShortcut::activated, button, [button] {
      if (button->isEnabled()) button->click();
    });
  }
  connect(ui_->registerButton, &QPushButton::clicked, this, &ApplicationDialog::RegisterClick);
  connect(ui_->checkButton, &QPushButton::clicked, this, &ApplicationDialog::CheckPathClick);
  connect(ui_->closeButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->removeTickedButton, &QPushButton::clicked, this,
          &ApplicationDialog::RemoveTickedClick);
  connect(ui_->removeAllButton, &QPushButton::clicked, this, &ApplicationDialog::RemoveAllClick);
  connect(ui_->registerMode, &QRadioButton::clicked, this, &ApplicationDialog::UpdateMode);
  connect(ui_->removeMode, &QRadioButton::clicked, this, &ApplicationDialog::UpdateMode);
  connect(ui_->applicationList, &QListWidget::currentRowChanged, this,
          &ApplicationDialog::ShowSlot);
  FillList();
  UpdateMode();
}

ApplicationDialog::~ApplicationDialog() = default;

void ApplicationDialog::FillList() {
  ui_->applicationList->clear();
  for (int slot = 0; slot < RegisteredApplications(settings_); ++slot) {
    auto* item =
        new QListWidgetItem(QStringOfUtf8(ApplicationName(settings_, slot)), ui_->applicationList);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

// Registering is possible only while a slot is free; a full list can only lose entries.
void ApplicationDialog::UpdateMode() {
  bool registering =
      ui_->registerMode->isChecked() && RegisteredApplications(settings_) < kApplicationSlots;
  ui_->nameEdit->setEnabled(registering);
  ui_->pathEdit->setEnabled(registering);
  ui_->registerButton->setEnabled(registering);
  ui_->removeTickedButton->setEnabled(!registering);
  ui_->removeAllButton->setEnabled(!registering);
}

void ApplicationDialog::ShowSlot(int row) {
  if (row < 0 || row >= RegisteredApplications(settings_)) return;
  ui_->nameEdit->setText(QStringOfUtf8(ApplicationName(settings_, row)));
  ui_->pathEdit->setText(QStringOfUtf8(ApplicationProgram(settings_, row)));
}

void ApplicationDialog::RegisterClick() {
  std::string name = ui_->nameEdit->text().toStdString();
  RegisterStatus status = CheckNewApplication(settings_, name, messenger_);
  if (status == RegisterStatus::kSameName) ui_->nameEdit->setFocus();
  if (status != RegisterStatus::kOk) return;
  std::optional<QString> program = choosers_.OpenFileName(
      this, QString::fromUtf8(kPickTitle), start_folder_, QString::fromUtf8(kProgramFilter));
  if (!program) return;
  std::string program_path = PathOfQString(*program).string();
  if (!AddApplication(settings_, name, program_path)) return;  // checked above: a slot is free
  ui_->pathEdit->setText(*program);
  FillList();
  UpdateMode();
}

void ApplicationDialog::CheckPathClick() {
  TellProgramCheck(PathOfQString(ui_->pathEdit->text()).string(), messenger_);
}

void ApplicationDialog::RemoveTickedClick() {
  std::vector<bool> ticked;
  for (int row = 0; row < ui_->applicationList->count(); ++row) {
    ticked.push_back(ui_->applicationList->item(row)->checkState() == Qt::Checked);
  }
  if (RemoveTickedApplications(settings_, ticked, messenger_) > 0) ui_->pathEdit->clear();
  FillList();
  UpdateMode();
}

void ApplicationDialog::RemoveAllClick() {
  if (!RemoveAllApplications(settings_, messenger_)) return;
  ui_->pathEdit->clear();
  FillList();
  UpdateMode();
}

}  // namespace common::view
