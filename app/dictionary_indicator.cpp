// The dictionary indicator's text and its cycle, both as the registry decides them.
#include "app/dictionary_indicator.h"

#include <QMouseEvent>

#include "common/view/qt_text.h"
#include "dictionary/registry.h"

namespace app {

QString DictionaryIndicatorText(const common::Settings& settings) {
  return common::view::QStringOfUtf8(dictionary::MainWindowIndicatorText(settings));
}

int NextDictionaryPattern(int pattern) { return dictionary::NextMode(pattern); }

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace app
