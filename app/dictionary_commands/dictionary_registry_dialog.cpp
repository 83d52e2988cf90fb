// The registry dialog: each control hands its input to the registry and shows what it made of
// it.
#include "app/dictionary_commands/dictionary_registry_dialog.h"

#include <QKeyEvent>
#include <QListWidgetItem>

#include "app/dictionary_commands/messages.h"
#include "app/dialogs/dialog_support.h"
#include "app/dialogs/sjis_entry.h"
#include "common/status.h"
#include "common/view/choosers.h"
#include "common/view/qt_text.h"
#include "common/view/sjis_codec.h"
#include "dictionary/registry.h"
#include "ui_dictionary_registry_dialog.h"

namespace app {

namespace {

using common::view::QStringOfPath;
using common::view::QStringOfUtf8;

}  // namespace

DictionaryRegistryDialog::DictionaryRegistryDialog(const RegistryDialogServices& services,
                                                   QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::DictionaryRegistryDialog>()), services_(services) {
  ui_->setupUi(this);
  modes_.addButton(ui_->main_only_radio, dictionary::kModeMainOnly);
  modes_.addButton(ui_->pre_only_radio, dictionary::kModePreOnly);
  modes_.addButton(ui_->pre_main_radio, dictionary::kModePreThenMain);
  if (QAbstractButton* mode = modes_.button(services_.settings->dic_pattern)) {
    mode->setChecked(true);
  }
  dictionary::CheckOnOpening(*services_.settings, *services_.program, *services_.messenger);
  ShowRegistry();
  ShowSelection();
  ShowActionKind(true);

  connect(&modes_, &QButtonGroup::idClicked, this, &DictionaryRegistryDialog::ChooseMode);
  connect(ui_->standard_button, &QPushButton::clicked, this,
          &DictionaryRegistryDialog::SelectStandardClick);
  connect(ui_->user_button, &QPushButton::clicked, this,
          &DictionaryRegistryDialog::SelectUserClick);
  connect(ui_->register_radio, &QRadioButton::toggled, this,
          &DictionaryRegistryDialog::ShowActionKind);
  connect(ui_->register_button, &QPushButton::clicked, this,
          &DictionaryRegistryDialog::RegisterClick);
  connect(ui_->remove_checked_button, &QPushButton::clicked, this,
          &DictionaryRegistryDialog::RemoveCheckedClick);
  connect(ui_->remove_all_button, &QPushButton::clicked, this,
          &DictionaryRegistryDialog::RemoveAllClick);
  connect(ui_->exists_button, &QPushButton::clicked, this, &DictionaryRegistryDialog::ExistsClick);
  connect(ui_->close_button, &QPushButton::clicked, this, &DictionaryRegistryDialog::Finish);
  ConnectHelp(*ui_->help_button, services_.open_help);
}

DictionaryRegistryDialog::~DictionaryRegistryDialog() = default;

void DictionaryRegistryDialog::ChooseMode(int mode) {
  // The radio buttons stand for the three modes only, which the registry always takes.
  static_cast<void>(dictionary::SetMode(*services_.settings, mode));
  services_.show_indicator(QStringOfUtf8(dictionary::IndicatorText(*services_.settings)));
}

void DictionaryRegistryDialog::SelectStandardClick() {
  // It warns when the file is missing and selects it still.
  static_cast<void>(
      dictionary::SelectStandard(*services_.settings, *services_.program, *services_.messenger));
  ShowSelection();
  services_.show_indicator(QStringOfUtf8(dictionary::IndicatorText(*services_.settings)));
}

void DictionaryRegistryDialog::SelectUserClick() {
  if (!common::IsOk(dictionary::SelectRegistered(*services_.settings, HighlightedIndex(),
                                                 *services_.messenger))) {
    return;  // the registry has said why
  }
  ShowSelection();
  services_.show_indicator(QStringOfUtf8(dictionary::IndicatorText(*services_.settings)));
}

void DictionaryRegistryDialog::RegisterClick() {
  common::Messenger& messenger = *services_.messenger;
  std::optional<std::string> name = EncodeEntryOrTell(ui_->name_field->text(), messenger);
  if (!name) return;
  dictionary::RegistryStatus checked =
      dictionary::CheckNewName(*services_.settings, *name, messenger);
  if (checked == dictionary::RegistryStatus::kDuplicateName) ui_->name_field->setFocus();
  if (!common::IsOk(checked)) return;
  // Only a dictionary in dic/ can be registered, so the choice starts there.
  std::optional<QString> chosen = services_.choosers->OpenFileName(
      this, QStringOfUtf8(dictionary_messages::kRegisterDialogTitle),
      QStringOfPath(services_.program->DicDir()),
      common::view::QtFilterOf(dictionary_messages::kRegisterFilter));
  if (!chosen) return;
  if (!common::IsOk(dictionary::RegisterFromDicFolder(*services_.settings, *name,
                                                      common::view::PathOfQString(*chosen),
                                                      *services_.program, messenger))) {
    return;
  }
  ShowRegistry();
  int added = dictionary::RegisteredCount(*services_.settings) - 1;
  ui_->path_field->setText(
      QStringOfPath(services_.settings->dic_files[static_cast<std::size_t>(added)]));
}

void DictionaryRegistryDialog::RemoveCheckedClick() {
  if (!common::IsOk(
          dictionary::RemoveChecked(*services_.settings, CheckedIndexes(), *services_.messenger))) {
    return;
  }
  ShowRegistry();
  ShowSelection();
  services_.show_indicator(QStringOfUtf8(dictionary::IndicatorText(*services_.settings)));
}

void DictionaryRegistryDialog::RemoveAllClick() {
  if (!common::IsOk(dictionary::RemoveAll(*services_.settings, *services_.messenger))) return;
  ShowRegistry();
  ShowSelection();
  services_.show_indicator(QStringOfUtf8(dictionary::IndicatorText(*services_.settings)));
}

void DictionaryRegistryDialog::ExistsClick() {
  dictionary::ShowExistence(*services_.settings, HighlightedIndex(), *services_.messenger);
}

// F5 closes the dialog as its 終了 button does.
void DictionaryRegistryDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
    Finish();
    return;
  }
  QDialog::keyPressEvent(event);
}

void DictionaryRegistryDialog::ShowRegistry() {
  ui_->dictionary_list->clear();
  int count = dictionary::RegisteredCount(*services_.settings);
  for (int i = 0; i < count; ++i) {
    auto* item = new QListWidgetItem(
        common::view::DecodeSjis(services_.settings->dic_names[static_cast<std::size_t>(i)]),
        ui_->dictionary_list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

void DictionaryRegistryDialog::ShowSelection() {
  ui_->pre_label->setText(QStringOfUtf8(dictionary::PreDictionaryLabel(*services_.settings)));
  ui_->path_field->setText(
      QStringOfPath(dictionary::UserDictionaryOf(*services_.settings, *services_.program)));
}

void DictionaryRegistryDialog::ShowActionKind(bool registering) {
  ui_->name_field->setEnabled(registering);
  ui_->register_button->setEnabled(registering);
  ui_->remove_checked_button->setEnabled(!registering);
  ui_->remove_all_button->setEnabled(!registering);
}

// The entry the user highlighted, or −1 when none is.
int DictionaryRegistryDialog::HighlightedIndex() const {
  QListWidgetItem* item = ui_->dictionary_list->currentItem();
  return item != nullptr && item->isSelected() ? ui_->dictionary_list->row(item) : -1;
}

std::vector<int> DictionaryRegistryDialog::CheckedIndexes() const {
  std::vector<int> checked;
  for (int row = 0; row < ui_->dictionary_list->count(); ++row) {
    if (ui_->dictionary_list->item(row)->checkState() == Qt::Checked) checked.push_back(row);
  }
  return checked;
}

// Every other change is in the settings already; the mode is taken once more from the radio
// buttons, as the dialog shows it.
void DictionaryRegistryDialog::Finish() {
  if (modes_.checkedId() >= 0) ChooseMode(modes_.checkedId());
  accept();
}

}  // namespace app
