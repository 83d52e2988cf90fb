// File, font, colour and printer choices behind an interface, so that tests can answer them.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include <string_view>

class QPrinter;
class QWidget;

namespace common::view {

class Choosers {
 public:
  virtual ~Choosers() = default;
  // nullopt when the user cancels. `filter` is in Qt's form (see QtFilterOf).
  virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& title,
                                              const QString& dir, const QString& filter) = 0;
  // `dir` may name a file to propose. The chooser asks before an existing file is overwritten.
  virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& title,
                                              const QString& dir, const QString& filter) = 0;
  virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& current) = 0;
  virtual std::optional<QColor> ChooseColour(QWidget* parent, const QColor& current) = 0;
  // Sets up `printer` for one job (which printer, copies, pages); false when the user cancels.
  virtual bool SetUpPrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The platform's dialogs.
class DialogChoosers final : public Choosers {
 public:
  std::optional<QString> OpenFileName(QWidget* parent, const QString& title, const QString& dir,
                                      const QString& filter) override;
  std::optional<QString> SaveFileName(QWidget* parent, const QString& title, const QString& dir,
                                      const QString& filter) override;
  std::optional<QFont> ChooseFont(QWidget* parent, const QFont& current) override;
  std::optional<QColor> ChooseColour(QWidget* parent, const QColor& current) override;
  bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
};

// A filter written as "名前 (*.txt)|*.TXT|..." (UTF-8) in Qt's form "名前 (*.txt *.TXT);;...":
// each pair gives one entry whose patterns are the pair's patterns in both cases, so that
// "*.TXT" also finds story.txt on a case-sensitive file system.
QString QtFilterOf(std::string_view windows_filter_utf8);

}  // namespace common::view
