// Picks an installed Japanese font when the stored one is missing.
#include "common/view/font_fallback.h"

#include <QFontDatabase>
#include <QStringList>

namespace common::view {
namespace {

constexpr int kDefaultPointSize = 12;

// fonts-noto-cjk names, monospaced first: the editors line up tabular text.
const QStringList& PreferredJapaneseFamilies() {
  static const QStringList families = {"Noto Sans Mono CJK JP", "Noto Sans CJK JP",
                                       "Noto Serif CJK JP"};
  return families;
}

QString InstalledJapaneseFamily() {
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : PreferredJapaneseFamilies()) {
    if (installed.contains(family)) return family;
  }
  const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
  return japanese.isEmpty() ? QString() : japanese.front();
}

}  // namespace

QFont EditorFont(const QString& stored_family, int point_size) {
  QFont font;
  if (!stored_family.isEmpty() && QFontDatabase::families().contains(stored_family)) {
    font = QFont(stored_family);
  } else if (QString family = InstalledJapaneseFamily(); !family.isEmpty()) {
    font = QFont(family);
  } else {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  }
  font.setPointSize(point_size >= 1 ? point_size : kDefaultPointSize);
  return font;
}

}  // namespace common::view
