// Reading, editing and replacing INI documents without losing what they hold.
#include "common/settings/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <vector>

#include "common/platform/file_system.h"
#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"
#include "common/encoding/text_file.h"

namespace common {
namespace {

constexpr char kSectionOpen = '[';
constexpr char kSectionClose = ']';
constexpr char kKeyValue = '=';
constexpr char kComment = ';';
constexpr char kQuote = '"';
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char byte) { return byte == ' ' || byte == '\t'; }

// No trail byte is a blank, so trimming from the end never cuts a character.
std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

char FoldCase(char byte) { return byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte; }

// A hash of the name as NamesMatch compares it: names that match hash alike.
std::uint64_t NameHash(std::string_view name) {
  std::uint64_t hash = 0xCBF29CE484222325u;
  auto add = [&hash](char byte) {
    hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001B3u;
  };
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (IsLeadByte(name[i]) && i + 1 < name.size()) {  // a double-byte character is never folded
      add(name[i]);
      add(name[++i]);
    } else {
      add(FoldCase(name[i]));
    }
  }
  return hash;
}

// Lines without their CR LF or LF; a last line without a line end counts as well.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

std::optional<std::string_view> HeaderName(std::string_view line) {
  std::string_view text = Trim(line);
  if (text.empty() || text.front() != kSectionOpen) return std::nullopt;
  std::size_t close = FindAligned(text, std::string_view(&kSectionClose, 1), 1);
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(text.substr(1, close - 1));
}

// The key of an entry line; empty for comments and lines without '='.
std::string_view KeyOf(std::string_view line) {
  std::string_view text = Trim(line);
  if (text.empty() || text.front() == kComment) return {};
  std::size_t equals = FindAligned(text, std::string_view(&kKeyValue, 1));
  if (equals == std::string_view::npos) return {};
  return Trim(text.substr(0, equals));
}

std::string_view ValueOf(std::string_view line) {
  std::string_view value = Trim(line.substr(line.find(kKeyValue) + 1));
  if (value.size() >= 2 && value.front() == kQuote && value.back() == kQuote) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// Quotes keep what reading would strip: blanks at either end, or a pair of quotes of its own.
void AppendWritten(std::string& out, std::string_view value) {
  bool quote =
      !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                         (value.size() >= 2 && value.front() == kQuote && value.back() == kQuote));
  if (quote) out += kQuote;
  out += value;
  if (quote) out += kQuote;
}

std::string_view FirstLine(std::string_view value) {
  return value.substr(0, value.find_first_of("\r\n"));
}

// A name that reads back as itself: whole Shift_JIS characters, no control character, no
// blank at either end, and not the byte that would end it (`forbidden`).
bool IsWritableName(std::string_view name, char forbidden) {
  if (name.empty() || Trim(name) != name) return false;
  if (IsAscii(name)) {
    return std::none_of(name.begin(), name.end(), [forbidden](char byte) {
      return byte < 0x20 || byte == 0x7F || byte == forbidden;
    });
  }
  SjisReader reader(name);
  while (!reader.AtEnd()) {
    SjisChar c = reader.Next();
    if (c.IsDoubleByte()) {
      if (!IsTrailByte(static_cast<unsigned char>(c.bytes[1]))) return false;
      continue;
    }
    auto byte = static_cast<unsigned char>(c.bytes[0]);
    if (byte < 0x20 || byte == 0x7F || IsLeadByte(byte)) return false;
    if (c.bytes[0] == forbidden) return false;
  }
  return true;
}

bool IsWritableSection(std::string_view name) {
  return IsWritableName(name, kSectionClose);
}

// A key may not start a comment or look like a header.
bool IsWritableKey(std::string_view key) {
  return IsWritableName(key, kKeyValue) && key.front() != kComment &&
         key.front() != kSectionOpen;
}

}  // namespace

bool NamesMatch(std::string_view a, std::string_view b) {
  // Folding keeps every character's width, so names of different lengths never match.
  if (a.size() != b.size()) return false;
  if (IsAscii(a) && IsAscii(b)) {  // the usual names, compared without stepping by characters
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
  }
  SjisReader left(a);
  SjisReader right(b);
  while (!left.AtEnd() && !right.AtEnd()) {
    SjisChar x = left.Next();
    SjisChar y = right.Next();
    if (x.IsDoubleByte() || y.IsDoubleByte()) {
      if (x.bytes != y.bytes) return false;
    } else if (FoldCase(x.bytes[0]) != FoldCase(y.bytes[0])) {
      return false;
    }
  }
  return left.AtEnd() && right.AtEnd();
}

IniFile IniFile::Parse(std::string_view bytes) {
  const std::vector<std::string_view> lines = SplitLines(bytes);
  // Each section's lines are counted first, so that its tables are made once at their size.
  std::vector<std::size_t> headers;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (HeaderName(lines[i])) headers.push_back(i);
  }
  auto lines_up_to_next_header = [&](std::size_t section) {
    std::size_t begin = section == 0 ? 0 : headers[section - 1] + 1;
    return (section < headers.size() ? headers[section] : lines.size()) - begin;
  };
  IniFile file;
  file.store_.assign(bytes);
  file.sections_.reserve(headers.size() + 1);
  file.sections_.push_back(Section{});
  for (const std::string_view line : lines) {
    Section& current = file.sections_.back();
    if (current.lines.empty()) {
      std::size_t count = lines_up_to_next_header(file.sections_.size() - 1);
      current.lines.reserve(count);
      current.key_lines.reserve(count);
    }
    if (std::optional<std::string_view> name = HeaderName(line)) {
      current.SortKeys();
      file.sections_.push_back(
          Section{std::string(line), std::string(*name), NameHash(*name), {}, {}});
    } else {
      Section& section = file.sections_.back();
      std::string_view key = KeyOf(line);
      if (!key.empty()) {
        section.key_lines.push_back(
            {NameHash(key), static_cast<std::uint32_t>(section.lines.size())});
      }
      const std::size_t key_begin = key.empty() ? 0 : key.data() - line.data();
      section.lines.push_back(
          Line{static_cast<std::size_t>(line.data() - bytes.data()), line.size(), key_begin,
               key.size()});
    }
  }
  file.sections_.back().SortKeys();
  return file;
}

std::optional<IniFile> IniFile::Load(const std::filesystem::path& path) {
  std::error_code error;
  bool exists = std::filesystem::exists(path, error);
  if (error) return std::nullopt;
  if (!exists) return IniFile();
  FileBytes bytes = ReadBinaryFile(path);
  if (!bytes.ok) return std::nullopt;
  return Parse(bytes.bytes);
}

void IniFile::Section::SortKeys() {
  std::sort(key_lines.begin(), key_lines.end(), [](const KeyLine& a, const KeyLine& b) {
    return a.hash != b.hash ? a.hash < b.hash : a.line < b.line;
  });
}

bool IniFile::Section::Named(std::string_view other, std::uint64_t other_hash) const {
  return HasHeader() && name_hash == other_hash && NamesMatch(name, other);
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const std::uint64_t section_hash = NameHash(section);
  for (const Section& candidate : sections_) {
    if (!candidate.Named(section, section_hash)) continue;
    if (std::optional<std::size_t> found = FindKey(candidate, key)) {
      return std::string(ValueOf(Text(candidate.lines[*found])));
    }
  }
  return std::nullopt;
}

namespace {

template <typename T>
void GrowForOneMore(std::vector<T>& items) {
  constexpr std::size_t kFirstRoom = 16;
  if (items.size() == items.capacity()) items.reserve(std::max(kFirstRoom, 2 * items.capacity()));
}

}  // namespace

bool IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsWritableSection(section) || !IsWritableKey(key)) return false;
  value = FirstLine(value);
  const std::uint64_t section_hash = NameHash(section);
  Section* target = nullptr;  // where a new key goes: the first section of the name
  for (Section& candidate : sections_) {
    if (!candidate.Named(section, section_hash)) continue;
    if (target == nullptr) target = &candidate;
    if (std::optional<std::size_t> found = FindKey(candidate, key)) {
      Line& line = candidate.lines[*found];
      // An unchanged value keeps its line exactly as the user wrote it.
      if (ValueOf(Text(line)) != value) {
        const std::string key_as_written(Key(line));  // the store may move as it grows
        line = StoreEntry(key_as_written, value);
      }
      return true;
    }
  }
  if (!target) {
    std::string name(section);
    GrowForOneMore(sections_);
    sections_.push_back(Section{kSectionOpen + name + kSectionClose, name, section_hash, {}, {}});
    target = &sections_.back();
  }
  // After the last line that is not blank, so that blank lines keep separating sections.
  std::size_t position = target->lines.size();
  while (position > 0 && Trim(Text(target->lines[position - 1])).empty()) --position;
  // Saving the settings adds a hundred keys to sections that may not exist yet: room for many
  // at once, not one growth step after another.
  GrowForOneMore(target->lines);
  GrowForOneMore(target->key_lines);
  // Only blank lines, which hold no key, move down.
  const std::uint64_t key_hash = NameHash(key);
  target->key_lines.insert(
      std::upper_bound(target->key_lines.begin(), target->key_lines.end(), key_hash,
                       [](std::uint64_t hash, const KeyLine& entry) { return hash < entry.hash; }),
      {key_hash, static_cast<std::uint32_t>(position)});
  target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(position),
                       StoreEntry(key, value));
  return true;
}

IniFile::Line IniFile::StoreEntry(std::string_view key, std::string_view value) {
  Line line{store_.size(), 0, 0, key.size()};
  store_ += key;
  store_ += kKeyValue;
  AppendWritten(store_, value);
  line.size = store_.size() - line.begin;
  return line;
}

std::string IniFile::Serialize() const {
  std::size_t size = 0;
  for (const Section& section : sections_) {
    if (section.HasHeader()) size += section.header.size() + kLineEnd.size();
    for (const Line& line : section.lines) size += line.size + kLineEnd.size();
  }
  std::string out;
  out.reserve(size);  // one allocation for a document of hundreds of lines
  for (const Section& section : sections_) {
    if (section.HasHeader()) {
      out += section.header;
      out += kLineEnd;
    }
    for (const Line& line : section.lines) {
      out += Text(line);
      out += kLineEnd;
    }
  }
  return out;
}

bool IniFile::Save(const std::filesystem::path& path) const {
  return ReplaceFileContents(path, Serialize());
}

std::optional<std::size_t> IniFile::FindKey(const Section& section,
                                            std::string_view key) const {
  const std::uint64_t hash = NameHash(key);
  auto entry = std::lower_bound(section.key_lines.begin(), section.key_lines.end(), hash,
                                [](const KeyLine& e, std::uint64_t h) { return e.hash < h; });
  for (; entry != section.key_lines.end() && entry->hash == hash; ++entry) {
    if (NamesMatch(Key(section.lines[entry->line]), key)) return entry->line;
  }
  return std::nullopt;
}

}  // namespace common
