// Qt's translations, from the system's translation folder (Debian's qt6-translations-l10n).
#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace app {

QLocale QtTextLocale(const QLocale& system, bool translation_asked) {
  bool plain = system.language() == QLocale::C || system.language() == QLocale::English;
  if (plain && !translation_asked) return QLocale(QLocale::Japanese, QLocale::Japan);
  return system;
}

bool InstallQtTranslations(QCoreApplication& application) {
  QLocale locale = QtTextLocale(QLocale::system(), !qEnvironmentVariableIsEmpty("LANGUAGE"));
  auto* translator = new QTranslator(&application);
  if (!translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  // Dates, sizes and kinds of file in Qt's dialogs follow the language of its texts.
  QLocale::setDefault(locale);
  return QCoreApplication::installTranslator(translator);
}

}  // namespace app
