// Qt's translations, from the system's translation folder (Debian's qt6-translations-l10n).
#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace app {

namespace {

// Qt texts on screen that Debian's Japanese translation of Qt leaves in English.
struct MissingText {
  const char* context;
  const char* source;
  const char* japanese;
};

constexpr MissingText kMissingJapanese[] = {
    // The file dialog's kinds of a folder, a drive and a file the system cannot name.
    {"QAbstractFileIconProvider", "Folder", "フォルダー"},
    {"QAbstractFileIconProvider", "Drive", "ドライブ"},
    {"QAbstractFileIconProvider", "File", "ファイル"},
    {"QAbstractFileIconProvider", "%1 File", "%1 ファイル"},
};

// Consulted after Qt's own translation, for Japanese only.
class MissingJapanese final : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char* disambiguation,
                    int n) const override {
    static_cast<void>(disambiguation);
    static_cast<void>(n);
    for (const MissingText& text : kMissingJapanese) {
      if (qstrcmp(context, text.context) == 0 && qstrcmp(source, text.source) == 0) {
        return QString::fromUtf8(text.japanese);
      }
    }
    return {};
  }
};

}  // namespace

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
  // The kinds of file in Qt's dialogs follow the language of its texts.
  QLocale::setDefault(locale);
  if (locale.language() == QLocale::Japanese) {
    // Installed first, so consulted after Qt's own.
    QCoreApplication::installTranslator(new MissingJapanese(&application));
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace app
