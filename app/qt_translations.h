// Qt's own texts (stock buttons, the file and colour dialogs) in the user's language, which for
// this program is Japanese unless the user asks for another.
#pragma once

#include <QLocale>

class QCoreApplication;

namespace app {

// The language of Qt's own texts: the locale's, except that a C or English locale gives
// Japanese (every other text of the program is Japanese) unless `translation_asked` (the user
// named the languages they want, as with LANGUAGE).
QLocale QtTextLocale(const QLocale& system, bool translation_asked);

// Installs Qt's translations for QtTextLocale of the system's locale in `application`; false
// when none is installed for it (Qt's texts then stay English).
bool InstallQtTranslations(QCoreApplication& application);

}  // namespace app
