// Plain stdio reads.
#include "dicgen/data_file.h"

#include <cstdint>
#include <cstdio>
#include <memory>

#include "common/message_format.h"
#include "dicgen/kana.h"
#include "dicgen/messages.h"

namespace dicgen {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

constexpr std::size_t kBlockSize = 1 << 20;

// Hands on the complete lines at the head of `pending` and keeps the unfinished rest there.
void TakeCompleteLines(std::string& pending, const std::function<void(std::string_view)>& take) {
  std::size_t start = 0;
  for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string_view line(pending.data() + start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    take(line);
  }
  pending.erase(0, start);
}

}  // namespace

std::optional<std::string> ReadDataFile(const std::filesystem::path& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool ForEachFileLine(const std::filesystem::path& path,
                     const std::function<void(std::string_view)>& take) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  std::string pending;
  std::vector<char> block(kBlockSize);
  std::size_t got;
  while ((got = std::fread(block.data(), 1, block.size(), file.get())) > 0) {
    pending.append(block.data(), got);
    TakeCompleteLines(pending, take);
  }
  if (std::ferror(file.get())) return false;
  if (!pending.empty()) {  // a final line without a line break
    std::string_view line = pending;
    if (line.ends_with('\r')) line.remove_suffix(1);
    take(line);
  }
  return true;
}

void TellCannotRead(const std::filesystem::path& path, common::Messenger& messenger) {
  messenger.Tell({std::string(messages::kTitleGenerator),
                  common::FormatMessage(messages::kCannotReadData, {path.string()}),
                  common::Icon::kError});
}

bool ForEachTableLine(const std::filesystem::path& path, common::Messenger& messenger,
                      const std::function<bool(std::u32string_view)>& take) {
  std::optional<std::string> bytes = ReadDataFile(path);
  if (!bytes) {
    TellCannotRead(path, messenger);
    return false;
  }
  std::int64_t number = 0;
  for (std::string_view line : SplitLines(*bytes)) {
    ++number;
    if (line.empty() || line.front() == '#') continue;
    if (!take(DecodeUtf8(line))) {
      messenger.Tell({std::string(messages::kTitleGenerator),
                      common::FormatMessage(messages::kBadTableLine, {path.string(), number, line}),
                      common::Icon::kError});
      return false;
    }
  }
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace dicgen
