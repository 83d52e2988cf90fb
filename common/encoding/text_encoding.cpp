// Encoding detection and line ends.
#include "common/encoding/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/encoding/cp932.h"
#include "common/encoding/cp932_tables.h"
#include "common/platform/file_system.h"

namespace common {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Whether the eight bytes at `bytes` are all ASCII: texts are read a word at a time where they
// are, which is most of a Western text and the markup of any.
bool IsAsciiWord(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return (word & 0x8080808080808080) == 0;
}

// The length of the well-formed sequence starting at bytes[at], or 0. The second byte's range
// depends on the first, which is what rules out overlong forms, surrogates (ED A0–BF) and
// code points past U+10FFFF (F4 90 and above).
std::size_t SequenceLength(std::string_view bytes, std::size_t at) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
  unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || at + length > bytes.size()) return 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead == 0xE0) low = 0xA0;
  if (lead == 0xED) high = 0x9F;
  if (lead == 0xF0) low = 0x90;
  if (lead == 0xF4) high = 0x8F;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(byte(i))) return 0;
  }
  return length;
}

}  // namespace

bool HasNonAscii(std::string_view bytes) {
  std::size_t at = 0;
  for (; at + 8 <= bytes.size(); at += 8) {
    if (!IsAsciiWord(bytes.data() + at)) return true;
  }
  for (; at < bytes.size(); ++at) {
    if (static_cast<unsigned char>(bytes[at]) >= 0x80) return true;
  }
  return false;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    // Runs of ASCII skip the table.
    if (at + 8 <= bytes.size() && IsAsciiWord(bytes.data() + at)) {
      at += 8;
      continue;
    }
    auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
      ++at;
      continue;
    }
    // Kana and kanji, most of a Japanese text: three bytes whose lead (E1–EC, EE, EF) puts no
    // limit on the second byte beyond being a continuation.
    if (lead >= 0xE1 && lead != 0xED && lead <= 0xEF && at + 3 <= bytes.size() &&
        IsContinuation(static_cast<unsigned char>(bytes[at + 1])) &&
        IsContinuation(static_cast<unsigned char>(bytes[at + 2]))) {
      at += 3;
      continue;
    }
    std::size_t length = SequenceLength(bytes, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t at) {
  return SequenceLength(bytes, at);
}

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return TextEncoding::kUtf8WithBom;
  if (HasNonAscii(bytes) && IsValidUtf8(bytes)) return TextEncoding::kUtf8;
  return TextEncoding::kShiftJis;
}

namespace {

constexpr std::size_t kDetectionPiece = 64 * 1024;

}  // namespace

std::size_t UnfinishedUtf8Tail(std::string_view bytes) {
  for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
    auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    if (byte < 0xC0) return 0;
    std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    return length > back ? back : 0;
  }
  return 0;
}

std::optional<TextEncoding> DetectFileEncoding(const std::filesystem::path& file) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(OpenRegularFileStream(file), &std::fclose);
  if (!in) return std::nullopt;
  std::string buffer(kDetectionPiece, '\0');
  std::string piece;
  bool first = true;
  bool non_ascii = false;
  std::size_t read;
  while ((read = std::fread(buffer.data(), 1, buffer.size(), in.get())) > 0) {
    piece.append(buffer, 0, read);
    if (first && piece.size() >= kUtf8Bom.size()) {
      if (piece.starts_with(kUtf8Bom)) return TextEncoding::kUtf8WithBom;
      first = false;
    }
    non_ascii = non_ascii || HasNonAscii(piece);
    std::size_t keep = UnfinishedUtf8Tail(piece);
    if (!IsValidUtf8(std::string_view(piece).substr(0, piece.size() - keep))) {
      return TextEncoding::kShiftJis;
    }
    piece.erase(0, piece.size() - keep);
  }
  if (std::ferror(in.get())) return std::nullopt;
  if (!piece.empty()) return TextEncoding::kShiftJis;  // cut off inside a sequence
  return non_ascii ? TextEncoding::kUtf8 : TextEncoding::kShiftJis;
}

std::string CrLfToLf(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    out += bytes[i];
  }
  return out;
}

bool HasLfLineEnds(std::string_view bytes) {
  return bytes.find('\n') != std::string_view::npos && bytes.find("\r\n") == std::string_view::npos;
}

std::optional<std::string> ToShiftJis(std::string_view bytes, TextEncoding encoding,
                                      UnencodableCharacter* bad) {
  if (encoding == TextEncoding::kShiftJis) return std::string(bytes);
  if (encoding == TextEncoding::kUtf8WithBom && bytes.starts_with(kUtf8Bom)) {
    bytes.remove_prefix(kUtf8Bom.size());
  }
  if (std::optional<std::string> converted = Utf8ToCp932(bytes)) return converted;
  if (bad == nullptr) return std::nullopt;
  // The whole text failed; only now is it walked character by character to name the culprit.
  *bad = {{}, 1, 0};
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t length = SequenceLength(bytes, at);
    if (length == 0) length = 1;  // not UTF-8 at all: the byte is the culprit
    std::string_view character = bytes.substr(at, length);
    ++bad->column;
    // What the tables take, iconv takes: only what they refuse is put to iconv.
    char room[4];
    if (TableUtf8ToCp932Into(character, room) == nullptr && !Utf8ToCp932(character)) {
      bad->character = std::string(character);
      return std::nullopt;
    }
    if (character == "\n") {
      ++bad->line;
      bad->column = 0;
    }
    at += length;
  }
  return std::nullopt;
}

std::string FromShiftJis(std::string_view sjis, TextEncoding encoding) {
  if (encoding == TextEncoding::kShiftJis) return std::string(sjis);
  std::string text = encoding == TextEncoding::kUtf8WithBom ? std::string(kUtf8Bom) : std::string();
  text += Cp932ToUtf8Lossy(sjis);
  return text;
}

std::string LfToCrLf(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 16);
  for (char byte : bytes) {
    if (byte == '\n') out += '\r';
    out += byte;
  }
  return out;
}

}  // namespace common
