// The list of 熟字訓 taught in primary school (dic/小学熟字訓.txt): entries "base/reading", one
// separator byte and the grade digit; an entry that one-character groups may find is marked
// with '>' in front.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/messenger.h"

namespace engine {

class JukujikunList {
 public:
  // Reads the list in Shift_JIS or UTF-8. False when the file cannot be read; the list is then
  // empty, as it is after a UTF-8 list with a character Shift_JIS cannot hold (named through
  // `messenger`).
  [[nodiscard]] bool Load(const std::filesystem::path& file, common::Messenger& messenger);
  // The list from its text; everything from a '#' to the end of its line is left out.
  void SetText(std::string_view text);

  // The grade (1–6) of the first entry "base/reading" in the list. A one-character group finds
  // only an entry marked with '>'. A match inside a longer entry is no entry.
  std::optional<int> GradeOf(std::string_view base_and_reading, bool one_character) const;

 private:
  void IndexEntries();
  bool StartsEntry(std::size_t at) const;
  std::optional<int> GradeAfter(std::size_t entry_end) const;

  std::string text_;
  struct Entry {
    int grade = 0;
    bool marked = false;  // '>' in front: one-character groups may find it
  };
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  std::unordered_map<std::string, Entry, TextHash, std::equal_to<>> entries_;
  // The first two bytes of every entry, by their 16-bit value: most groups begin as no entry
  // does, and are told so without a lookup.
  std::vector<bool> first_bytes_;
};

}  // namespace engine
