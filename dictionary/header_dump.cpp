// Writing the header dump.
#include "dictionary/header_dump.h"

#include <cinttypes>
#include <cstdio>

#include "common/encoding/text_file.h"

namespace dictionary {

std::string HeaderDumpText(const CompiledDictionary& compiled) {
  std::string text;
  char line[64];
  auto add = [&](const char* name, int index, std::uint64_t value, const char* end) {
    std::snprintf(line, sizeof line, "%s[%d]==%" PRIu64 "%s", name, index, value, end);
    text += line;
  };
  for (int i = 0; i < kMaxWordLength; ++i) {
    const LengthRecord& record = compiled.records[i];
    add("hushv", i, record.hushv, "\n");
    add("gosuu", i, compiled.word_counts[i], "\n");
    add("dicd_ofs", i, record.dicd_ofs, "\n");
    add("jukud_ofs", i, record.jukud_ofs, "\n");
    add("adrs_ofs", i, record.adrs_ofs, "\n");
    add("yomid_ofs", i, record.yomid_ofs, "\n\n");
  }
  return text;
}

bool WriteHeaderDump(const std::filesystem::path& path, const CompiledDictionary& compiled) {
  return common::WriteFreshTextFile(path, HeaderDumpText(compiled));
}

}  // namespace dictionary
