// The dictionary indicator's text and its cycle.
#include "app/dictionary_indicator.h"

#include <QMouseEvent>

#include "app/messages.h"
#include "common/view/qt_text.h"
#include "common/view/sjis_codec.h"

namespace app {

namespace {

using common::view::QStringOfUtf8;

constexpr int kMainOnly = 0;
constexpr int kUserOnly = 1;
constexpr int kUserThenMain = 2;

QString UserDictionaryText(const common::Settings& settings) {
  // Any negative selection, not only -1, means that none of the registered ones is selected.
  if (settings.dic_num < 0 || settings.dic_num >= common::kDictionarySlots) {
    return QStringOfUtf8(messages::kStandardUserLabel);
  }
  return "[" + common::view::DecodeSjis(settings.dic_names[settings.dic_num]) + "]";
}

}  // namespace

QString DictionaryIndicatorText(const common::Settings& settings) {
  switch (settings.dic_pattern) {
    case kUserOnly:
      return UserDictionaryText(settings);
    case kUserThenMain:
      return UserDictionaryText(settings) + QStringOfUtf8(messages::kThenMainLabel);
    default:
      return QStringOfUtf8(messages::kMainDictionaryLabel);
  }
}

int NextDictionaryPattern(int pattern) {
  return pattern >= kMainOnly && pattern < kUserThenMain ? pattern + 1 : kMainOnly;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace app
