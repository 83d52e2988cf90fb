// A small INI document: [SECTION] headers and KEY=VALUE lines, held as the raw Shift_JIS bytes
// of the file, so that whatever the program does not know (other keys, comments, blank lines)
// is written back as it was found.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {

class IniFile {
 public:
  // Reads a document; CR LF and LF line ends alike. Never fails: a line that is neither a
  // header nor an entry is kept as it stands.
  static IniFile Parse(std::string_view bytes);
  // The document in `path`: empty when there is no such file, nullopt when there is one that
  // cannot be read.
  static std::optional<IniFile> Load(const std::filesystem::path& path);

  // The value of `key` in `section`; names match without regard to ASCII case. Surrounding
  // blanks are not part of a value, and a value in double quotes loses them.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // A key already present keeps its place and spelling, a new key goes after the last line of
  // its section, a new section at the end of the document. A value is one line: it ends at its
  // first CR or LF. A section or key name that could not be read back as itself (a line break
  // or other control character, a broken double-byte character, blanks at either end, ']' in a
  // section, '=' in a key or a key starting with ';' or '[') changes nothing and gives false.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // The document as it goes to disk, every line ending in CR LF.
  std::string Serialize() const;
  // Replaces `path` in one step: the document is written to a temporary file beside it, which
  // is then renamed over it. false when the folder cannot be written or the disk is full; the
  // previous file is then left as it was.
  [[nodiscard]] bool Save(const std::filesystem::path& path) const;

 private:
  // A line's text lies in `store_`: a document of hundreds of lines is one buffer rather than a
  // string per line. An edited or added line's text is appended to the store.
  struct Line {
    std::size_t begin = 0;  // the line's place in the store, without its line end
    std::size_t size = 0;
    // The key's place in the line; an empty key for a line that is not an entry.
    std::size_t key_begin = 0;
    std::size_t key_size = 0;
  };
  struct KeyLine {
    std::uint64_t hash = 0;
    std::uint32_t line = 0;
  };
  struct Section {
    std::string header;  // the header line as written; empty for the lines before the first
    std::string name;
    std::uint64_t name_hash = 0;
    std::vector<Line> lines;
    std::vector<KeyLine> key_lines;  // by hash, then line: the first line of a key comes first
    bool HasHeader() const { return !header.empty(); }
    bool Named(std::string_view other, std::uint64_t other_hash) const;
    void SortKeys();
  };

  std::string_view Text(const Line& line) const {
    return std::string_view(store_).substr(line.begin, line.size);
  }
  std::string_view Key(const Line& line) const {
    return Text(line).substr(line.key_begin, line.key_size);
  }
  // Appends `key`=`value` to the store as the text of a line; `key` must not lie in the store.
  Line StoreEntry(std::string_view key, std::string_view value);
  std::optional<std::size_t> FindKey(const Section& section, std::string_view key) const;

  std::string store_;
  std::vector<Section> sections_;
};

// Equality of section and key names: ASCII letters match either case; a double-byte
// character matches only itself (its trail byte is never folded).
bool NamesMatch(std::string_view a, std::string_view b);

}  // namespace common
