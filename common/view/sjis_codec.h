// The one place where the editors' Unicode text meets Shift_JIS: encoding, decoding and the
// byte positions that the core counts.
#pragma once

#include <QString>
#include <QStringView>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace common::view {

// The first character of a text that Shift_JIS cannot hold.
struct Unencodable {
  char32_t character = 0;
  int line = 0;    // 1-based logical line
  int column = 0;  // 1-based, in characters of its line
};

// The Shift_JIS (CP932) bytes of `text`, line ends left as "\n". nullopt when a character has no
// Shift_JIS form; `first_bad`, when given, then names the first such character, its line and column.
std::optional<std::string> EncodeSjis(const QString& text, Unencodable* first_bad = nullptr);

// For a value that must be stored whatever it holds (a font name): a character Shift_JIS
// cannot hold becomes '?'.
std::string EncodeSjisLossy(const QString& text);

// Bytes that are not Shift_JIS become U+FFFD, so the text can always be shown.
QString DecodeSjis(std::string_view bytes);
// nullopt when `bytes` are not Shift_JIS throughout.
std::optional<QString> DecodeSjisExact(std::string_view bytes);

// The length of the Shift_JIS encoding of `text`. A character Shift_JIS cannot hold counts as
// two bytes (it shows full width), so positions stay defined in any text.
std::size_t SjisByteLength(QStringView text);

// Bytes of one Unicode code point in Shift_JIS: 1, 2, or 0 when it has no Shift_JIS form.
int SjisWidthOf(char32_t character);

// The QString index of the character that holds `byte_offset` of the text's Shift_JIS encoding
// (a trail byte gives its character). An offset at or past the end gives text.size().
int CharIndexOfByte(const QString& text, std::size_t byte_offset);

// "「X」（U+XXXX）" in UTF-8, for messages about a character Shift_JIS cannot hold.
std::string DescribeCharacter(char32_t character);

// What a separator edit keeps of `typed`, by common::KeptSeparatorEdit.
QString KeptSeparatorEdit(const QString& typed);

}  // namespace common::view
