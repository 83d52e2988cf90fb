// The label of the main text window that names the dictionaries a ruby pass uses, and the click
// that cycles through the three ways of using them.
#pragma once

#include <QLabel>
#include <QString>

#include "common/settings/settings.h"

namespace app {

// dictionary::MainWindowIndicatorText: the registry names the user dictionary the ruby passes
// will use, so a selection left on an empty slot shows as the standard one ("[標準pre]").
QString DictionaryIndicatorText(const common::Settings& settings);

// 0 → 1 → 2 → 0; a value the program does not know starts again at 0.
int NextDictionaryPattern(int pattern);

// A label that reports clicks.
class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace app
