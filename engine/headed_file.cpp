// Summary first, text after it, with the text read once.
#include "engine/headed_file.h"

#include <cstdio>

#include "common/platform/file_system.h"
#include "common/encoding/text_file.h"

namespace engine {
namespace {

constexpr std::size_t kCopyChunk = 1 << 16;

// Writes the text into `path`; the count, or the failure.
HeadedFileStatus WriteBody(const std::filesystem::path& path,
                           const std::function<std::optional<int>(ByteSink&)>& write_body,
                           int& count) {
  common::TextWriter out;
  if (!out.Open(path)) return HeadedFileStatus::kOutputFailed;
  FileSink sink(out);
  std::optional<int> written = write_body(sink);
  if (!out.Close()) return HeadedFileStatus::kOutputFailed;
  if (!written) return HeadedFileStatus::kInputFailed;
  count = *written;
  return HeadedFileStatus::kOk;
}

// The summary, then the text's bytes as they stand in `body` (already CR LF).
bool WriteHeaderAndBody(const std::filesystem::path& target, const std::string& header,
                        const std::filesystem::path& body) {
  std::FILE* in = common::OpenRegularFileStream(body);
  if (!in) return false;
  common::TextWriter out;
  bool ok = out.Open(target);
  if (ok) {
    out.Write(header);
    char chunk[kCopyChunk];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) out.WriteRaw({chunk, n});
    ok = !std::ferror(in);
    ok = out.Close() && ok;
  }
  std::fclose(in);
  return ok;
}

}  // namespace

HeadedFileStatus WriteHeadedFile(const std::filesystem::path& target,
                                 const std::function<std::optional<int>(ByteSink&)>& write_body,
                                 const std::function<std::string(int)>& header_of) {
  int count = 0;
  if (!header_of) return WriteBody(target, write_body, count);
  std::filesystem::path body = common::TemporarySibling(target);
  HeadedFileStatus status = WriteBody(body, write_body, count);
  if (status == HeadedFileStatus::kOk && !WriteHeaderAndBody(target, header_of(count), body)) {
    status = HeadedFileStatus::kOutputFailed;
  }
  common::RemoveFile(body);
  return status;
}

}  // namespace engine
