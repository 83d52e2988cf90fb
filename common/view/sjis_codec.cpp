// Shift_JIS through glibc's CP932 table, with a per-character width table for byte positions.
#include "common/view/sjis_codec.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "common/encoding/cp932.h"
#include "common/encoding/cp932_tables.h"
#include "common/notation/field_entry.h"
#include "common/message_format.h"
#include "common/encoding/utf8.h"
#include "common/view/messages.h"

namespace common::view {
namespace {

constexpr char32_t kLastBmp = 0xFFFF;
constexpr int kUnencodableWidth = 2;  // such a character is shown full width

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Widths of every character of the Basic Multilingual Plane (CP932 holds nothing beyond it),
// from the CP932 table, which holds the converter's one-way mappings (¥ → 0x5C) as it writes them.
using WidthTable = std::array<std::uint8_t, kLastBmp + 1>;

WidthTable BuildWidthTable() {
  WidthTable table{};
  for (char32_t c = 0; c <= kLastBmp; ++c) {
    if (IsSurrogate(c)) continue;
    std::optional<std::uint16_t> code = Cp932CodeOf(c);
    if (code) table[c] = *code > 0xFF ? 2 : 1;
  }
  return table;
}

const WidthTable& Widths() {
  static const WidthTable table = BuildWidthTable();
  return table;
}

// The code point at `index` (a surrogate pair whole) and how many QChars it takes.
char32_t CodePointAt(QStringView text, qsizetype index, int* units) {
  QChar first = text[index];
  if (first.isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate()) {
    *units = 2;
    return QChar::surrogateToUcs4(first, text[index + 1]);
  }
  *units = 1;
  return first.unicode();
}

// Bytes that a character occupies in a byte position: its width, or the stand-in width.
int PositionWidth(char32_t character) {
  int width = SjisWidthOf(character);
  return width == 0 ? kUnencodableWidth : width;
}

Unencodable FirstUnencodable(const QString& text) {
  int line = 1;
  int column = 1;
  for (qsizetype i = 0; i < text.size();) {
    int units = 1;
    char32_t c = CodePointAt(text, i, &units);
    if (SjisWidthOf(c) == 0) return {c, line, column};
    if (c == u'\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
    i += units;
  }
  return {};
}

}  // namespace

int SjisWidthOf(char32_t character) {
  if (character > kLastBmp) return 0;
  return Widths()[character];
}

std::optional<std::string> EncodeSjis(const QString& text, Unencodable* first_bad) {
  QByteArray utf8 = text.toUtf8();
  std::optional<std::string> bytes = Utf8ToCp932(std::string_view(utf8.data(), utf8.size()));
  if (!bytes && first_bad != nullptr) *first_bad = FirstUnencodable(text);
  return bytes;
}

std::string EncodeSjisLossy(const QString& text) {
  QByteArray utf8 = text.toUtf8();
  return Utf8ToCp932Lossy(std::string_view(utf8.data(), utf8.size()));
}

QString DecodeSjis(std::string_view bytes) {
  std::string utf8 = Cp932ToUtf8Lossy(bytes);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<QString> DecodeSjisExact(std::string_view bytes) {
  std::optional<std::string> utf8 = Cp932ToUtf8(bytes);
  if (!utf8) return std::nullopt;
  return QString::fromUtf8(utf8->data(), static_cast<qsizetype>(utf8->size()));
}

std::size_t SjisByteLength(QStringView text) {
  const WidthTable& widths = Widths();
  std::size_t total = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    char16_t unit = text[i].unicode();
    if (QChar::isSurrogate(unit)) {
      // A pair is one character beyond the plane (never in Shift_JIS); a lone half is one too.
      if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        ++i;
      }
      total += kUnencodableWidth;
    } else {
      int width = widths[unit];
      total += width == 0 ? kUnencodableWidth : width;
    }
  }
  return total;
}

int CharIndexOfByte(const QString& text, std::size_t byte_offset) {
  std::size_t bytes = 0;
  for (qsizetype i = 0; i < text.size();) {
    int units = 1;
    std::size_t width = PositionWidth(CodePointAt(text, i, &units));
    if (byte_offset < bytes + width) return static_cast<int>(i);
    bytes += width;
    i += units;
  }
  return static_cast<int>(text.size());
}

std::string DescribeCharacter(char32_t character) {
  char code[16];
  std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(character));
  return FormatMessage(kCharacterDescription, {std::string_view(Utf8Of(character)), code});
}

QString KeptSeparatorEdit(const QString& typed) {
  QByteArray bytes = typed.toUtf8();
  std::string_view kept =
      common::KeptSeparatorEdit({bytes.constData(), static_cast<std::size_t>(bytes.size())});
  return QString::fromUtf8(kept.data(), static_cast<qsizetype>(kept.size()));
}

}  // namespace common::view
