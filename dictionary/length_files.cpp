// Reading the per-length working files.
#include "dictionary/length_files.h"

#include <string>

#include "common/encoding/text_file.h"
#include "dictionary/source_validation.h"

namespace dictionary {
namespace {

constexpr char kCommentStart = '#';
constexpr char kFieldSeparator = ',';

LengthFileStatus ReadOne(const std::filesystem::path& path, int length,
                         std::vector<SourceEntry>& entries) {
  common::TextReader in;
  if (!in.Open(path)) return LengthFileStatus::kMissing;
  const std::size_t key_size = static_cast<std::size_t>(length) * 2;
  std::string line;
  while (in.ReadLine(line, kSourceLineBytes)) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (line.empty() || line[0] == kCommentStart) continue;
    if (line.size() <= key_size || line[key_size] != kFieldSeparator) {
      return LengthFileStatus::kDamaged;
    }
    entries.push_back({line.substr(0, key_size), line.substr(key_size + 1)});
  }
  return in.Close() ? LengthFileStatus::kOk : LengthFileStatus::kMissing;
}

}  // namespace

LengthFileEntries ReadLengthFiles(const common::WorkDir& work) {
  LengthFileEntries result;
  for (int length = 1; length <= kMaxWordLength; ++length) {
    result.status =
        ReadOne(work.File(common::LengthFileName(length)), length, result.entries[length - 1]);
    if (result.status != LengthFileStatus::kOk) {
      result.failed_length = length;
      return result;
    }
  }
  return result;
}

}  // namespace dictionary
