// The status bar's caret-position text.
#include "common/view/caret_position.h"

#include <QCoreApplication>

#include "common/view/sjis_codec.h"
#include "common/view/text_pane.h"

namespace common::view {
namespace {

constexpr char16_t kFirstControlPicture = 0x2400;  // ␀; ␉ is 0x2409, ␊ 0x240A
constexpr char16_t kDeletePicture = 0x2421;        // ␡
constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstPrintable = 0x20;

QString Tr(const char* text) { return QCoreApplication::translate("CaretPosition", text); }

QString Hex(unsigned char byte) { return QString::number(byte, 16).toUpper(); }

// A control character would break the status line: its picture stands for it.
QString Visible(QStringView character, unsigned char byte) {
  if (byte < kFirstPrintable) return QString(QChar(kFirstControlPicture + byte));
  if (byte == kDelete) return QString(QChar(kDeletePicture));
  return character.toString();
}

QString CharacterPart(QStringView character) {
  if (character.isEmpty()) return Tr("[ EOF ]");
  std::optional<std::string> bytes = EncodeSjis(character.toString());
  if (!bytes) {
    char32_t code = character.toString().toUcs4().value(0);
    return QStringLiteral("[ %1 ] U+%2")
        .arg(character.toString(), QString::number(code, 16).toUpper().rightJustified(4, u'0'));
  }
  auto first = static_cast<unsigned char>((*bytes)[0]);
  if (bytes->size() == 2) {
    auto second = static_cast<unsigned char>((*bytes)[1]);
    return QStringLiteral("[ %1 ] 0x%2%3").arg(character.toString(), Hex(first), Hex(second));
  }
  return QStringLiteral("[ %1 ] 0x%2").arg(Visible(character, first), Hex(first));
}

}  // namespace

QString CaretPositionText(int line, int byte_column, QStringView character) {
  return Tr("%1行：(半角)%2桁　%3")
      .arg(QString::number(line), QString::number(byte_column), CharacterPart(character));
}

QString CaretPositionTextOf(const TextPane& pane) {
  return CaretPositionText(pane.LogicalLineOfCaret(), pane.ByteColumnOfCaret(),
                           pane.CharacterAtCaret());
}

}  // namespace common::view
