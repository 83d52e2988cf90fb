#include "common/documents/recovery.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iterator>
#include <system_error>

#include "common/platform/file_replace.h"
#include "common/encoding/text_file.h"

namespace fs = std::filesystem;

namespace common {
namespace {

// The first line names the format; the path's length comes before the path, which may hold any
// byte but NUL, line breaks included.
constexpr std::string_view kMagic = "mirukaze unsaved text 1\n";
constexpr std::string_view kExtension = ".unsaved";

constexpr std::string_view kEncodingNames[] = {"shift_jis", "utf-8", "utf-8-bom"};

std::string_view NameOf(TextEncoding encoding) {
  return kEncodingNames[static_cast<int>(encoding)];
}

std::optional<TextEncoding> EncodingNamed(std::string_view name) {
  for (std::size_t i = 0; i < std::size(kEncodingNames); ++i) {
    if (kEncodingNames[i] == name) return static_cast<TextEncoding>(i);
  }
  return std::nullopt;
}

// Takes the text up to the next line feed, and the line feed.
std::optional<std::string_view> TakeLine(std::string_view& bytes) {
  std::size_t end = bytes.find('\n');
  if (end == std::string_view::npos) return std::nullopt;
  std::string_view line = bytes.substr(0, end);
  bytes.remove_prefix(end + 1);
  return line;
}

// A window kind names a file: plain lower-case letters only.
bool IsWindowName(std::string_view name) {
  return !name.empty() && name.size() <= 16 &&
         std::all_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

}  // namespace

std::string SerializeRecovered(const RecoveredText& recovered) {
  std::string path = recovered.document.string();
  std::string out(kMagic);
  out += recovered.window + '\n';
  out += std::string(NameOf(recovered.encoding)) + '\n';
  out += std::to_string(path.size()) + '\n';
  out += path + '\n';
  out += recovered.text;
  return out;
}

std::optional<RecoveredText> ParseRecovered(std::string_view bytes) {
  if (!bytes.starts_with(kMagic)) return std::nullopt;
  bytes.remove_prefix(kMagic.size());
  RecoveredText recovered;
  std::optional<std::string_view> window = TakeLine(bytes);
  std::optional<std::string_view> encoding_name = TakeLine(bytes);
  std::optional<std::string_view> length_text = TakeLine(bytes);
  if (!window || !IsWindowName(*window) || !encoding_name || !length_text) return std::nullopt;
  std::optional<TextEncoding> encoding = EncodingNamed(*encoding_name);
  std::size_t length = 0;
  auto [end, error] =
      std::from_chars(length_text->data(), length_text->data() + length_text->size(), length);
  if (!encoding || error != std::errc() || end != length_text->data() + length_text->size() ||
      length >= bytes.size() || bytes[length] != '\n') {
    return std::nullopt;
  }
  recovered.window = std::string(*window);
  recovered.encoding = *encoding;
  recovered.document = fs::path(std::string(bytes.substr(0, length)));
  recovered.text = std::string(bytes.substr(length + 1));
  return recovered;
}

fs::path RecoveryStore::UserFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && *state == '/') return fs::path(state) / "mirukaze" / "recovery";
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home == '/') {
    return fs::path(home) / ".local" / "state" / "mirukaze" / "recovery";
  }
  return {};
}

fs::path RecoveryStore::FileOf(std::string_view window) const {
  return folder_ / (std::string(window) + std::string(kExtension));
}

bool RecoveryStore::Keep(const RecoveredText& recovered) const {
  if (folder_.empty() || !IsWindowName(recovered.window)) return false;
  std::error_code error;
  fs::create_directories(folder_, error);
  if (error) return false;
  // Only the user may read what they typed.
  fs::permissions(folder_, fs::perms::owner_all, error);
  return ReplaceFile(FileOf(recovered.window), SerializeRecovered(recovered)) == ReplaceStatus::kOk;
}

void RecoveryStore::Discard(std::string_view window) const {
  if (folder_.empty() || !IsWindowName(window)) return;
  std::error_code error;
  fs::remove(FileOf(window), error);
}

std::vector<RecoveredText> RecoveryStore::Left() const {
  std::vector<RecoveredText> left;
  std::error_code error;
  if (folder_.empty() || !fs::is_directory(folder_, error)) return left;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
    if (entry.path().extension() != kExtension || !entry.is_regular_file(error)) continue;
    FileBytes bytes = ReadBinaryFile(entry.path());
    if (!bytes.ok) continue;
    std::optional<RecoveredText> recovered = ParseRecovered(bytes.bytes);
    // A file kept under another window's name is not that window's text.
    if (recovered && FileOf(recovered->window) == entry.path()) {
      left.push_back(std::move(*recovered));
    }
  }
  std::sort(left.begin(), left.end(),
            [](const RecoveredText& a, const RecoveredText& b) { return a.window < b.window; });
  return left;
}

}  // namespace common
