// Search steps over the editor's text.
#include "common/view/text_search.h"

#include "common/view/sjis_codec.h"

namespace common::view {
namespace {

constexpr QLatin1String kTabEscape("^^t");
constexpr QLatin1String kLineFeedEscape("^^n");
constexpr QLatin1String kFormFeedEscape("^^f");

// QChars taken by the character at `index`: 2 for a surrogate pair.
int UnitsAt(const QString& text, int index) {
  bool pair =
      text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
  return pair ? 2 : 1;
}

}  // namespace

int SearchStepOf(const QString& search) {
  if (search.isEmpty()) return 1;
  return SjisByteLength(QStringView(search).left(UnitsAt(search, 0))) >= 2 ? 2 : 1;
}

int FindForward(const QString& text, const QString& search, int start, int step) {
  if (search.isEmpty() || start < 0) return kNotFound;
  // Whole characters only: advancing two bytes over "a漢" stops after "a", so the 漢 right
  // behind the caret is still found.
  int from = start;
  std::size_t advanced = 0;
  while (from < text.size()) {
    int units = UnitsAt(text, from);
    std::size_t width = SjisByteLength(QStringView(text).mid(from, units));
    if (advanced + width > static_cast<std::size_t>(step)) break;
    advanced += width;
    from += units;
  }
  return static_cast<int>(text.indexOf(search, from));
}

int FindBackward(const QString& text, const QString& search, int caret) {
  if (search.isEmpty()) return kNotFound;
  qsizetype last_start = static_cast<qsizetype>(caret) - search.size();
  if (last_start < 0) return kNotFound;  // lastIndexOf would read -1 as "from the end"
  return static_cast<int>(text.lastIndexOf(search, last_start));
}

ReplaceAllResult ReplaceAllFrom(const QString& text, const QString& search,
                                const QString& replacement, int start) {
  ReplaceAllResult result;
  if (search.isEmpty()) return result;
  qsizetype from = start;
  for (qsizetype match = text.indexOf(search, from); match >= 0;
       match = text.indexOf(search, from)) {
    if (result.count == 0) {
      result.first = static_cast<int>(match);
    } else {
      result.replaced += QStringView(text).mid(from, match - from);
    }
    result.replaced += replacement;
    from = match + search.size();
    ++result.count;
  }
  result.end = static_cast<int>(from);
  return result;
}

QString ExpandSearchEscapes(const QString& search) {
  QString expanded = search;
  return expanded.replace(kTabEscape, QLatin1String("\t"));
}

QString ExpandReplacementEscapes(const QString& replacement) {
  QString expanded = replacement;
  expanded.replace(kTabEscape, QLatin1String("\t"));
  expanded.replace(kLineFeedEscape, QLatin1String("\n"));
  return expanded.replace(kFormFeedEscape, QLatin1String("\f"));
}

}  // namespace common::view
