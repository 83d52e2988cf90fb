// The platform's file, font, colour and print dialogs, and filters in Qt's form.
#include "common/view/choosers.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QStringList>

#include "common/view/qt_text.h"

namespace common::view {
namespace {

constexpr char kWindowsSeparator = '|';
constexpr QStringView kEveryFile = u"*.*";

std::optional<QString> Chosen(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  return name;
}

// "*.HTM;*.HTML" → "*.htm *.HTM *.html *.HTML": file systems here tell the cases apart.
QString QtPatternsOf(const QString& windows_patterns) {
  QStringList patterns;
  for (const QString& pattern : windows_patterns.split(u';', Qt::SkipEmptyParts)) {
    if (pattern.trimmed() == kEveryFile) {
      patterns << QStringLiteral("*");  // also names without a dot
      continue;
    }
    for (const QString& form : {pattern.trimmed().toLower(), pattern.trimmed().toUpper()}) {
      if (!patterns.contains(form)) patterns << form;
    }
  }
  return patterns.join(u' ');
}

// "テキストファイル (*.txt)" → "テキストファイル": Qt reads the patterns from the parentheses.
QString NameOf(const QString& description) {
  qsizetype open = description.lastIndexOf(u'(');
  if (open <= 0 || !description.endsWith(u')')) return description.trimmed();
  return description.left(open).trimmed();
}

}  // namespace

QString QtFilterOf(std::string_view windows_filter_utf8) {
  const QStringList parts =
      QStringOfUtf8(windows_filter_utf8).split(QLatin1Char(kWindowsSeparator));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    entries << NameOf(parts[i]) + QStringLiteral(" (") + QtPatternsOf(parts[i + 1]) +
                   QStringLiteral(")");
  }
  return entries.join(QStringLiteral(";;"));
}

std::optional<QString> DialogChoosers::OpenFileName(QWidget* parent, const QString& title,
                                                    const QString& dir, const QString& filter) {
  return Chosen(QFileDialog::getOpenFileName(parent, title, dir, filter));
}

std::optional<QString> DialogChoosers::SaveFileName(QWidget* parent, const QString& title,
                                                    const QString& dir, const QString& filter) {
  return Chosen(QFileDialog::getSaveFileName(parent, title, dir, filter));
}

std::optional<QFont> DialogChoosers::ChooseFont(QWidget* parent, const QFont& current) {
  bool ok = false;
  QFont font = QFontDialog::getFont(&ok, current, parent);
  if (!ok) return std::nullopt;
  return font;
}

std::optional<QColor> DialogChoosers::ChooseColour(QWidget* parent, const QColor& current) {
  QColor colour = QColorDialog::getColor(current, parent);
  if (!colour.isValid()) return std::nullopt;
  return colour;
}

bool DialogChoosers::SetUpPrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace common::view
