// Buffered text-mode file access with CR LF conversion.
#include "common/encoding/text_file.h"

#include <cstring>

#include "common/platform/file_system.h"

namespace common {
namespace {

constexpr std::size_t kChunk = 1 << 16;

}  // namespace

TextReader::~TextReader() {
  if (file_) std::fclose(file_);
}

bool TextReader::Open(const std::filesystem::path& path) {
  if (file_) std::fclose(file_);
  file_ = OpenRegularFileStream(path);
  raw_.resize(kChunk + 1);
  buffer_.resize(kChunk + 1);
  pos_ = end_ = 0;
  carried_cr_ = false;
  failed_ = false;
  return file_ != nullptr;
}

bool TextReader::Refill() {
  if (!file_) return false;
  std::size_t carry = carried_cr_ ? 1 : 0;
  if (carried_cr_) raw_[0] = '\r';
  carried_cr_ = false;
  std::size_t n = std::fread(raw_.data() + carry, 1, kChunk, file_);
  if (n < kChunk && std::ferror(file_)) failed_ = true;
  bool at_eof = n == 0;
  std::size_t total = carry + n;
  if (total == 0) return false;

  const char* in = raw_.data();
  char* out = buffer_.data();
  std::size_t i = 0;
  std::size_t o = 0;
  while (i < total) {
    const void* cr = std::memchr(in + i, '\r', total - i);
    std::size_t stop = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - in) : total;
    std::memcpy(out + o, in + i, stop - i);
    o += stop - i;
    i = stop;
    if (i == total) break;
    if (i + 1 < total) {
      if (in[i + 1] != '\n') out[o++] = '\r';
      ++i;
    } else if (at_eof) {
      out[o++] = '\r';
      ++i;
    } else {
      carried_cr_ = true;  // decided by the next chunk
      ++i;
    }
  }
  pos_ = 0;
  end_ = o;
  return o > 0 || Refill();
}

bool TextReader::ReadLine(std::string& line, std::size_t max_bytes) {
  line.clear();
  while (line.size() < max_bytes) {
    if (pos_ == end_ && !Refill()) break;
    std::size_t want = std::min(end_ - pos_, max_bytes - line.size());
    const char* start = buffer_.data() + pos_;
    const void* lf = std::memchr(start, '\n', want);
    if (lf) {
      std::size_t n = static_cast<const char*>(lf) - start + 1;
      line.append(start, n);
      pos_ += n;
      return true;
    }
    line.append(start, want);
    pos_ += want;
  }
  return !line.empty();
}

bool TextReader::ReadBlock(std::string& out, std::size_t max_bytes) {
  std::size_t taken = 0;
  while (taken < max_bytes) {
    if (pos_ == end_ && !Refill()) break;
    std::size_t n = std::min(end_ - pos_, max_bytes - taken);
    out.append(buffer_.data() + pos_, n);
    pos_ += n;
    taken += n;
  }
  return taken > 0;
}

bool TextReader::Close() {
  if (!file_) return false;
  bool ok = !failed_ && !std::ferror(file_);
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  return ok;
}

TextWriter::~TextWriter() {
  if (file_) std::fclose(file_);
}

bool TextWriter::Open(const std::filesystem::path& path) { return Open(path, UserEncoding{}); }

bool TextWriter::Open(const std::filesystem::path& path, const UserEncoding& form) {
  if (file_) std::fclose(file_);
  form_ = form.IsProgramOwn() ? nullptr : std::make_unique<ShiftJisToUser>(form);
  file_ = std::fopen(path.c_str(), "wb");
  buffer_.resize(kChunk);
  end_ = 0;
  failed_ = false;
  return file_ != nullptr;
}

bool TextWriter::OpenFresh(const std::filesystem::path& path) {
  if (file_) std::fclose(file_);
  form_ = nullptr;
  file_ = CreateFreshFile(path);
  buffer_.resize(kChunk);
  end_ = 0;
  failed_ = false;
  return file_ != nullptr;
}

void TextWriter::WriteRaw(std::string_view bytes) {
  while (!bytes.empty()) {
    if (end_ == buffer_.size()) Flush();
    std::size_t n = std::min(bytes.size(), buffer_.size() - end_);
    std::memcpy(buffer_.data() + end_, bytes.data(), n);
    end_ += n;
    bytes.remove_prefix(n);
  }
}

void TextWriter::WriteLong(std::string_view bytes) {
  while (!bytes.empty()) {
    std::size_t lf = bytes.find('\n');
    WriteRaw(bytes.substr(0, lf));
    if (lf == std::string_view::npos) break;
    Put('\n');
    bytes.remove_prefix(lf + 1);
  }
}

bool TextWriter::PutOnDisk(std::string_view bytes) {
  return file_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

void TextWriter::Flush() {
  if (end_ == 0) return;
  std::string_view bytes(buffer_.data(), end_);
  bool written = form_ ? form_->Take(bytes, /*last=*/false,
                                     [this](std::string_view piece) { return PutOnDisk(piece); })
                       : PutOnDisk(bytes);
  if (!written) failed_ = true;
  end_ = 0;
}

void TextWriter::FinishForm() {
  if (form_ && !form_->Take({}, /*last=*/true,
                            [this](std::string_view piece) { return PutOnDisk(piece); })) {
    failed_ = true;
  }
}

bool TextWriter::Close() {
  if (!file_) return false;
  Flush();
  FinishForm();
  bool ok = !failed_;
  if (std::fflush(file_) != 0) ok = false;
  if (std::fclose(file_) != 0) ok = false;
  file_ = nullptr;
  return ok;
}

bool TextWriter::CloseSynced() {
  if (!file_) return false;
  Flush();
  FinishForm();
  bool ok = !failed_;
  ok = SyncAndClose(file_) && ok;
  file_ = nullptr;
  return ok;
}

FileBytes ReadBinaryFile(const std::filesystem::path& path) {
  FileBytes result;
  std::FILE* file = OpenRegularFileStream(path);
  if (!file) return result;
  char chunk[kChunk];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) result.bytes.append(chunk, n);
  result.ok = !std::ferror(file);
  std::fclose(file);
  return result;
}

FileBytes ReadTextFile(const std::filesystem::path& path) {
  FileBytes result;
  TextReader reader;
  if (!reader.Open(path)) return result;
  std::string piece;
  while (reader.ReadLine(piece, kChunk)) result.bytes += piece;
  result.ok = reader.Close();
  return result;
}

bool WriteBinaryFile(const std::filesystem::path& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fflush(file) != 0) ok = false;
  if (std::fclose(file) != 0) ok = false;
  return ok;
}

bool WriteTextFile(const std::filesystem::path& path, std::string_view text) {
  TextWriter writer;
  if (!writer.Open(path)) return false;
  writer.Write(text);
  return writer.Close();
}

bool WriteFreshTextFile(const std::filesystem::path& path, std::string_view text) {
  TextWriter writer;
  if (!writer.OpenFresh(path)) return false;
  writer.Write(text);
  return writer.Close();
}

}  // namespace common
