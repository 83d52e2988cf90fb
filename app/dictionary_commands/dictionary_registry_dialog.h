// The dialog ◆辞書設定・登録・削除: the dictionary-use mode, the pre-dictionary, and the
// registration and removal of user dictionaries. It edits the settings record directly through
// the registry's functions, so every change holds however the dialog is closed.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"

namespace Ui {
class DictionaryRegistryDialog;
}

namespace common::view {
class Choosers;
}

namespace app {

struct RegistryDialogServices {
  common::Settings* settings = nullptr;
  const common::ProgramDir* program = nullptr;
  common::Messenger* messenger = nullptr;
  common::view::Choosers* choosers = nullptr;
  std::function<void()> open_help{};  // the help button is hidden when empty
  // Called with the dictionary indicator's new text whenever the dictionaries in use change.
  std::function<void(const QString&)> show_indicator{};
};

class DictionaryRegistryDialog : public QDialog {
  Q_OBJECT

 public:
  // Warns first when the standard user dictionary is selected but missing.
  explicit DictionaryRegistryDialog(const RegistryDialogServices& services,
                                    QWidget* parent = nullptr);
  ~DictionaryRegistryDialog() override;

 public slots:
  void ChooseMode(int mode);
  void SelectStandardClick();
  void SelectUserClick();
  void RegisterClick();
  void RemoveCheckedClick();
  void RemoveAllClick();
  void ExistsClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowRegistry();
  void ShowSelection();
  void ShowActionKind(bool registering);
  int HighlightedIndex() const;
  std::vector<int> CheckedIndexes() const;
  void Finish();

  std::unique_ptr<Ui::DictionaryRegistryDialog> ui_;
  RegistryDialogServices services_;
  QButtonGroup modes_;
};

}  // namespace app
