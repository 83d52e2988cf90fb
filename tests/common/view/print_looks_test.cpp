// Printing and the display settings of a text window. A PDF printed through the window's print
// command and read back as pictures has its text at the margins set in the margin dialog, and
// inside the page rectangle on every one of its pages. Font, colours and tab width go to the
// window's own settings keys at once, come back after a restart, and never mark the text edited.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>

#include "common/settings/settings.h"
#include "common/view/display_dialogs.h"
#include "common/view/limited_spin_box.h"
#include "common/view/messages.h"
#include "common/view/print_area_dialog.h"
#include "common/view/text_printer.h"
#include "tests/common/view/plain_window.h"

using common::Settings;
using common::view::QStringOfPath;
using testing_support::Fixture;
using testing_support::PlainWindow;

namespace {

constexpr int kRenderDpi = 100;           // of the pictures made from the PDF
constexpr double kInchPerMillimetre = 0.04;  // what a margin's millimetre stands for
const QString kFont = QStringLiteral("Noto Sans CJK JP");

void Trigger(QWidget& window, const char* action) {
  auto* found = window.findChild<QAction*>(QString::fromLatin1(action));
  QVERIFY2(found != nullptr, action);
  found->trigger();
}

// Answers the next modal dialog of type D: `fill` sets its fields, then 決定 or 中止.
template <typename D>
void AnswerDialog(std::function<void(D&)> fill, bool decide = true) {
  QTimer::singleShot(0, [fill = std::move(fill), decide] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    fill(*dialog);
    const char* button = decide ? "decideButton" : "cancelButton";
    dialog->template findChild<QPushButton*>(QString::fromLatin1(button))->click();
  });
}

common::view::LimitedSpinBox& Field(QWidget& dialog, const char* name) {
  return *dialog.findChild<common::view::LimitedSpinBox*>(QString::fromLatin1(name));
}

// The box that holds every dark pixel of a page picture.
QRect InkOf(const QImage& page) {
  QRect ink;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (qGray(page.pixel(x, y)) < 160) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

// The PDF as one grey picture a page, through pdftoppm.
std::vector<QImage> PagesOf(const QString& pdf, const QString& prefix) {
  QProcess pdftoppm;
  pdftoppm.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(kRenderDpi), QStringLiteral("-gray"), pdf,
                  prefix});
  if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
  QFileInfo base(prefix);
  std::vector<QImage> pages;
  for (const QString& name : QDir(base.path()).entryList({base.fileName() + "-*.pgm"},
                                                         QDir::Files, QDir::Name)) {
    pages.emplace_back(base.path() + "/" + name);
  }
  return pages;
}

common::view::WindowServices ServicesOf(Fixture& f) {
  return {.settings = &f.settings,
          .messenger = &f.messenger,
          .choosers = &f.choosers,
          .search = &f.search};
}

// The traits of the test window with the looks keys of one of the program's windows.
common::view::TextWindowTraits TraitsWithLooks(const common::view::WindowLooksKeys& looks) {
  common::view::TextWindowTraits traits = testing_support::Traits();
  traits.looks = looks;
  return traits;
}

std::function<void(QPrinter&)> PdfPrinter(const QString& file) {
  return [file](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    // A printable area that starts inside the paper, as a real printer's does.
    printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
  };
}

}  // namespace

Q_DECLARE_METATYPE(common::view::WindowLooksKeys)

class PrintLooksTest : public QObject {
  Q_OBJECT

 private slots:
  void printedPagesKeepTheMarginsSetInTheDialog() {
    Fixture f;
    f.window.Pane()->SetEditorFont(kFont.toStdString(), 12);
    QString text;
    for (int line = 1; line <= 120; ++line) {
      text += QStringLiteral("漢字かな交じりの行 %1\n").arg(line);
      if (line == 3) text += QString(200, QChar(0x6F22)) + u'\n';  // wraps at the right margin
    }
    f.window.Pane()->setPlainText(text);
    AnswerDialog<common::view::PrintAreaDialog>([](common::view::PrintAreaDialog& dialog) {
      Field(dialog, "leftMargin").setValue(25);
      Field(dialog, "topMargin").setValue(15);
      Field(dialog, "rightMargin").setValue(20);
      Field(dialog, "bottomMargin").setValue(30);
    });
    Trigger(f.window, "printMargins");
    QString pdf = QStringOfPath(f.dir / "printed.pdf");
    f.choosers.printer_answers.push_back(PdfPrinter(pdf));
    Trigger(f.window, "printText");
    QVERIFY(f.messenger.records.empty());

    std::vector<QImage> pages = PagesOf(pdf, QStringOfPath(f.dir / "page"));
    QVERIFY2(pages.size() >= 3, "pdftoppm (poppler-utils) made fewer pages than printed");
    // Where the first character's ink starts, from the paper's corner: the margin at 0.04 inch
    // a millimetre (beyond the printable area's 5 mm), then the glyph's own bearings.
    QPrinter metrics_device(QPrinter::HighResolution);
    PdfPrinter(QStringOfPath(f.dir / "unused.pdf"))(metrics_device);
    QFontMetricsF metrics(f.window.Pane()->font(), &metrics_device);
    double scale = double(kRenderDpi) / metrics_device.resolution();
    QRectF glyph = metrics.boundingRect(QChar(0x6F22));
    double ink_left = kInchPerMillimetre * 25 * kRenderDpi + glyph.left() * scale;
    double ink_top = kInchPerMillimetre * 15 * kRenderDpi + (metrics.ascent() + glyph.top()) * scale;
    double right_edge = 210 / 25.4 * kRenderDpi - kInchPerMillimetre * 20 * kRenderDpi;
    double foot = 297 / 25.4 * kRenderDpi - kInchPerMillimetre * 30 * kRenderDpi;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      QRect ink = InkOf(pages[i]);
      QString where = QStringLiteral("page %1 of %2: ink %3,%4 to %5,%6, text from %7,%8")
                          .arg(i + 1)
                          .arg(pages.size())
                          .arg(ink.left())
                          .arg(ink.top())
                          .arg(ink.right())
                          .arg(ink.bottom())
                          .arg(ink_left)
                          .arg(ink_top);
      QVERIFY2(std::abs(ink.left() - ink_left) <= 1, qPrintable(where));
      QVERIFY2(std::abs(ink.top() - ink_top) <= 1, qPrintable(where));
      QVERIFY2(ink.right() <= right_edge + 1, qPrintable(where));
      QVERIFY2(ink.bottom() <= foot + 1, qPrintable(where));
    }
  }

  // Nothing is printed when the dialog is cancelled, or when the margins leave no room.
  void noRoomIsReportedAndNothingPrinted() {
    Fixture f;
    f.window.Pane()->setPlainText(QStringLiteral("text"));
    QString pdf = QStringOfPath(f.dir / "none.pdf");
    Trigger(f.window, "printText");
    f.settings.margin_left = 150;  // 6 inches each: more than A4's width
    f.settings.margin_right = 150;
    f.choosers.printer_answers.push_back(PdfPrinter(pdf));
    Trigger(f.window, "printText");
    QCOMPARE(f.choosers.asked.size(), std::size_t{2});
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QCOMPARE(f.messenger.records[0].text, std::string(common::view::kPrintNoRoom));
    QVERIFY(!QFileInfo::exists(pdf));
  }

  // The preview shows as many pages as the text printed on the preview's paper makes; with no
  // room between the margins it says so once, after it has closed.
  void previewShowsThePagesPrintingMakes() {
    Fixture f;
    f.window.Pane()->setPlainText(QStringLiteral("漢字の行\n").repeated(300));
    int shown = -1;
    int printed = -2;
    auto answer = [&f, &shown, &printed] {
      QTimer::singleShot(0, [&f, &shown, &printed] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        QVERIFY(preview != nullptr);
        shown = preview->findChild<QPrintPreviewWidget*>()->pageCount();
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(QStringOfPath(f.dir / "same.pdf"));
        pdf.setPageLayout(preview->printer()->pageLayout());
        common::PrintMargins margins{f.settings.margin_left, f.settings.margin_top,
                                     f.settings.margin_right, f.settings.margin_bottom};
        printed = common::view::PrintText(pdf,
                                          {f.window.Pane()->Text(), f.window.Pane()->font(),
                                           f.window.Pane()->TabStopChars()},
                                          margins)
                      .pages;
        preview->reject();
      });
    };
    answer();
    Trigger(f.window, "printPreview");
    QVERIFY(printed > 1);
    QCOMPARE(shown, printed);
    QVERIFY(f.messenger.records.empty());

    f.settings.margin_left = 150;  // 6 inches each: more than A4's or Letter's width
    f.settings.margin_right = 150;
    answer();
    Trigger(f.window, "printPreview");
    QCOMPARE(f.messenger.records.size(), std::size_t{1});
    QCOMPARE(f.messenger.records[0].text, std::string(common::view::kPrintNoRoom));
  }

  // Whole numbers are shown; a number typed beyond 400 is taken as 400; 中止 keeps the margins.
  void marginDialogLimitsAndCancels() {
    Fixture f;
    f.settings.margin_top = 7.6;
    AnswerDialog<common::view::PrintAreaDialog>([](common::view::PrintAreaDialog& dialog) {
      QCOMPARE(Field(dialog, "topMargin").value(), 8);
      QLineEdit* typed = Field(dialog, "leftMargin").findChild<QLineEdit*>();
      typed->selectAll();
      QTest::keyClicks(typed, "999");
      QTest::keyClick(typed, Qt::Key_Return);  // 決定 is the default button
    });
    Trigger(f.window, "printMargins");
    QCOMPARE(f.settings.margin_left, 400.0);
    QCOMPARE(f.settings.margin_top, 8.0);
    AnswerDialog<common::view::PrintAreaDialog>(
        [](common::view::PrintAreaDialog& dialog) { Field(dialog, "rightMargin").setValue(30); },
        /*decide=*/false);
    Trigger(f.window, "printMargins");
    QCOMPARE(f.settings.margin_right, 4.0);
  }

  void looksChangesLeaveTheModifiedFlag_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("modified");
    for (const char* command : {"chooseFont", "chooseTextColour", "chooseBackground",
                                "chooseTabWidth"}) {
      QTest::newRow((std::string(command) + ", edited").c_str()) << command << true;
      QTest::newRow((std::string(command) + ", unedited").c_str()) << command << false;
    }
  }
  void looksChangesLeaveTheModifiedFlag() {
    QFETCH(QString, command);
    QFETCH(bool, modified);
    Fixture f;
    f.window.Pane()->setPlainText(QStringLiteral("a\tb"));
    f.window.Pane()->SetModified(modified);
    Settings before = f.settings;
    f.choosers.font_answers.push_back(QFont(kFont, 17));
    f.choosers.colour_answers.push_back(QColor(0x12, 0x34, 0x56));
    if (command == "chooseTabWidth") {
      AnswerDialog<common::view::TabWidthDialog>(
          [](common::view::TabWidthDialog& dialog) { Field(dialog, "tabWidth").setValue(0); });
    }
    Trigger(f.window, command.toLatin1().constData());
    QCOMPARE(f.window.IsModified(), modified);
    // The setting changed at once, and only the one the command sets.
    Settings& after = f.settings;
    QCOMPARE(after.ymi_font_size != before.ymi_font_size, command == "chooseFont");
    QCOMPARE(after.ymi_font_color != before.ymi_font_color, command == "chooseTextColour");
    QCOMPARE(after.ymi_edit_color != before.ymi_edit_color, command == "chooseBackground");
    QCOMPARE(after.ymi_tab_width != before.ymi_tab_width, command == "chooseTabWidth");
    if (command != "chooseTabWidth") return;
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    Trigger(f.window, "chooseTabWidth");  // closed without 決定: the width stays
    QCOMPARE(after.ymi_tab_width, 0);
  }

  void looksSurviveARestart_data() {
    QTest::addColumn<common::view::WindowLooksKeys>("keys");
    QTest::newRow("main") << common::view::WindowLooksKeys{
        &Settings::main_top,        &Settings::main_left,      &Settings::main_height,
        &Settings::main_width,      &Settings::main_font_name, &Settings::main_font_size,
        &Settings::main_font_color, &Settings::main_edit_color, &Settings::main_tab_width};
    QTest::newRow("ruby") << common::view::WindowLooksKeys{
        &Settings::ruby_top,        &Settings::ruby_left,      &Settings::ruby_height,
        &Settings::ruby_width,      &Settings::ruby_font_name, &Settings::ruby_font_size,
        &Settings::ruby_font_color, &Settings::ruby_edit_color, &Settings::ruby_tab_width};
    QTest::newRow("ymi") << testing_support::Traits().looks;
    QTest::newRow("nnn") << common::view::WindowLooksKeys{
        &Settings::nnn_top,        &Settings::nnn_left,      &Settings::nnn_height,
        &Settings::nnn_width,      &Settings::nnn_font_name, &Settings::nnn_font_size,
        &Settings::nnn_font_color, &Settings::nnn_edit_color, &Settings::nnn_tab_width};
  }
  void looksSurviveARestart() {
    QFETCH(common::view::WindowLooksKeys, keys);
    Fixture f;
    Settings defaults = f.settings;
    {
      PlainWindow window(ServicesOf(f), TraitsWithLooks(keys));
      f.choosers.font_answers.push_back(QFont(kFont, 17));
      f.choosers.colour_answers = {QColor(0x10, 0x20, 0x30), QColor(0x40, 0x50, 0x60)};
      AnswerDialog<common::view::TabWidthDialog>(
          [](common::view::TabWidthDialog& dialog) { Field(dialog, "tabWidth").setValue(6); });
      for (const char* command : {"chooseFont", "chooseTextColour", "chooseBackground",
                                  "chooseTabWidth"}) {
        Trigger(window, command);
      }
    }  // the program ends without the window closing first
    QVERIFY(common::SaveSettings(f.dir.Path(), f.settings));
    f.settings = common::LoadSettings(f.dir.Path());
    PlainWindow restarted(ServicesOf(f), TraitsWithLooks(keys));
    common::view::TextPane& pane = *restarted.Pane();
    QCOMPARE(QString::fromStdString(pane.EditorFontNameSjis()), kFont);
    QCOMPARE(pane.EditorFontSize(), 17);
    QCOMPARE(pane.TextColour(), 0x302010);
    QCOMPARE(pane.BackgroundColour(), 0x605040);
    QCOMPARE(pane.TabStopChars(), 6);
    // Each window's own keys only.
    QCOMPARE(f.settings.main_font_size == 17, keys.font_size == &Settings::main_font_size);
    QCOMPARE(f.settings.nnn_tab_width == 6, keys.tab_width == &Settings::nnn_tab_width);
    QCOMPARE(f.settings.margin_left, defaults.margin_left);
  }
};

QTEST_MAIN(PrintLooksTest)
#include "print_looks_test.moc"
