// The build command's choice of dictionary.
#include "app/dictionary_commands/build_kind_dialog.h"

#include <utility>

#include "app/dialogs/dialog_support.h"
#include "ui_build_kind_dialog.h"

namespace app {

BuildKindDialog::BuildKindDialog(std::function<void()> open_help, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::BuildKindDialog>()) {
  ui_->setupUi(this);
  kinds_.addButton(ui_->ruby_radio, static_cast<int>(BuildKind::kRubyDictionary));
  kinds_.addButton(ui_->level_radio, static_cast<int>(BuildKind::kLevelDictionary));
  kinds_.addButton(ui_->grade_radio, static_cast<int>(BuildKind::kGradeDictionary));
  connect(ui_->run_button, &QPushButton::clicked, this, &BuildKindDialog::accept);
  connect(ui_->cancel_button, &QPushButton::clicked, this, &BuildKindDialog::reject);
  ConnectHelp(*ui_->help_button, std::move(open_help));
}

BuildKindDialog::~BuildKindDialog() = default;

BuildKind BuildKindDialog::Chosen() const { return static_cast<BuildKind>(kinds_.checkedId()); }

void BuildKindDialog::Choose(BuildKind kind) { kinds_.button(static_cast<int>(kind))->click(); }

std::optional<BuildKind> AskBuildKind(std::function<void()> open_help, QWidget* parent) {
  BuildKindDialog dialog(std::move(open_help), parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

}  // namespace app
