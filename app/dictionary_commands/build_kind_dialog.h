// The dialog 作成辞書の選択: which of the three dictionaries the build command makes.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class BuildKindDialog;
}

namespace app {

enum class BuildKind { kRubyDictionary, kLevelDictionary, kGradeDictionary };

class BuildKindDialog : public QDialog {
  Q_OBJECT

 public:
  // The first kind is chosen each time the dialog opens. The help button is hidden when
  // `open_help` is empty.
  explicit BuildKindDialog(std::function<void()> open_help, QWidget* parent = nullptr);
  ~BuildKindDialog() override;

  BuildKind Chosen() const;
  void Choose(BuildKind kind);

 private:
  std::unique_ptr<Ui::BuildKindDialog> ui_;
  QButtonGroup kinds_;
};

// Shows the dialog modally; nullopt unless it was left with 実行.
std::optional<BuildKind> AskBuildKind(std::function<void()> open_help, QWidget* parent);

}  // namespace app
