// Brace escape: literal braces of the user's text become look-alike characters.
#include "engine/markings/brace_escape.h"

#include <memory>

#include "common/notation/ruby_group.h"
#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"

namespace engine {
namespace {

// ∈ and ∋ stand for '{' and '}'; an '@' before them marks a stretch that held a '/', so that
// it could have been taken for a ruby group.
constexpr std::string_view kOpenLookAlike = "\x81\xB8";   // ∈
constexpr std::string_view kCloseLookAlike = "\x81\xB9";  // ∋
constexpr char kGroupLikeMark = '@';

// Where the stretch of a '{' ends, found past the piece in hand.
struct StretchEnd {
  std::size_t close = std::string_view::npos;  // its '}', npos when none follows
  bool group_like = false;                      // a '/' lies before it
};

// The first '}' starting a character at or after `from` (a character start), one character at a
// time through the text.
StretchEnd FindStretchEnd(const common::TextSource& text, std::size_t from) {
  StretchEnd end;
  common::TextCursor cursor(text, from);
  for (int byte = cursor.Peek(); byte >= 0; byte = cursor.Peek()) {
    if (byte == common::kGroupClose) {
      end.close = cursor.Offset();
      return end;
    }
    end.group_like = end.group_like || byte == common::kGroupSeparator;
    cursor.Advance(common::IsLeadByte(static_cast<char>(byte)) ? 2 : 1);
  }
  end.group_like = false;
  return end;
}

class BraceEscaper {
 public:
  explicit BraceEscaper(const common::TextSource& text) : text_(text) {}

  std::size_t Step(std::string_view buffer, std::size_t offset, bool at_end, std::string& out) {
    std::size_t end = at_end ? buffer.size() : common::WholeCharactersEnd(buffer);
    out.reserve(out.size() + end + end / 8);
    for (common::SjisReader reader(buffer.substr(0, end)); !reader.AtEnd();) {
      std::size_t at = reader.Offset();
      common::SjisChar c = reader.Next();
      bool open = c.Is(common::kGroupOpen);
      if (!open && !c.Is(common::kGroupClose)) {
        out.append(c.bytes);
        continue;
      }
      bool in_stretch = offset + at < stretch_end_;
      if (open && !in_stretch) in_stretch = OpenStretch(buffer, offset, at, at_end);
      if (in_stretch && group_like_) out += kGroupLikeMark;
      out.append(open ? kOpenLookAlike : kCloseLookAlike);
    }
    return end;
  }

 private:
  // The '{' at `at` opens a stretch up to the first '}' after it; false when none follows.
  bool OpenStretch(std::string_view buffer, std::size_t offset, std::size_t at, bool at_end) {
    if (!closable_) return false;
    std::size_t close = common::FindCharacterUnit(buffer, common::kGroupClose, at + 1);
    if (close != std::string_view::npos) {
      group_like_ = common::FindCharacterUnit(buffer.substr(0, close), common::kGroupSeparator,
                                              at + 1) != std::string_view::npos;
      stretch_end_ = offset + close + 1;
      return true;
    }
    StretchEnd found = at_end ? StretchEnd{} : FindStretchEnd(text_, offset + at + 1);
    // A '{' that nothing closes is escaped alone, and so is every '{' after it.
    closable_ = found.close != std::string_view::npos;
    group_like_ = found.group_like;
    if (closable_) stretch_end_ = found.close + 1;
    return closable_;
  }

  const common::TextSource& text_;
  bool closable_ = true;        // false once a '{' has found no '}' after it
  std::size_t stretch_end_ = 0;  // just past the '}' of the stretch being escaped
  bool group_like_ = false;      // that stretch holds a '/'
};

}  // namespace

std::string EscapeBraces(std::string_view text) {
  common::StringTextSource source(text);
  BraceEscaper escaper(source);
  std::string out;
  escaper.Step(text, 0, /*at_end=*/true, out);
  return out;
}

common::PieceStep BraceEscapeStep(const common::TextSource& text) {
  auto escaper = std::make_shared<BraceEscaper>(text);
  return [escaper](std::string_view buffer, std::size_t offset, bool at_end, std::string& out) {
    return escaper->Step(buffer, offset, at_end, out);
  };
}

}  // namespace engine
