// The level filter, as a stream and as the step from "shori_.$rb" to "kanQ_.$rb".
#include "engine/filters/level_filter.h"

#include <functional>
#include <optional>
#include <string>

#include "common/encoding/cp932.h"
#include "common/message_format.h"
#include "common/notation/ruby_group.h"
#include "common/encoding/sjis.h"
#include "common/encoding/text_file.h"
#include "dictionary/level_dictionary.h"
#include "engine/filters/group_scan.h"
#include "engine/headed_file.h"
#include "engine/memory_stream.h"
#include "engine/messages.h"

namespace engine {
namespace {

constexpr std::string_view kTagOpen = "@[";
constexpr std::string_view kTagClose = "]";
constexpr std::size_t kOneCharacterBase = 2;  // a base of two bytes is one kanji

class LevelVisitor final : public GroupVisitor {
 public:
  LevelVisitor(const LevelRubyOptions& options, const LevelLookup& level_of)
      : selected_(LevelSelectionOf(options)), tag_(options.tag), level_of_(level_of) {}

  void Visit(std::string_view group, ByteSink& out) override {
    common::GroupParts parts = common::SplitGroup(group);
    if (!parts.closed || !parts.has_separator || parts.base.size() != kOneCharacterBase) {
      out.Write(group);
      return;
    }
    int index = LevelIndex(parts.base);
    if (!IsSelected(index)) {
      out.Write(parts.base);
      return;
    }
    ++kept_;
    if (tag_) {
      out.Write(kTagOpen);
      out.Write(LevelTagName(index));
      out.Write(kTagClose);
    }
    out.Write(group);
  }

  int Kept() const { return kept_; }

 private:
  int LevelIndex(std::string_view kanji) const {
    std::optional<int> index = level_of_(
        common::CodeOf(static_cast<unsigned char>(kanji[0]), static_cast<unsigned char>(kanji[1])));
    return index ? *index : kOutsideLevels;
  }
  // A damaged level code gives an index outside every level; such a kanji is not selected.
  bool IsSelected(int index) const {
    return index >= 0 && index < kLevelIndexes && selected_[static_cast<std::size_t>(index)];
  }

  LevelSelection selected_;
  bool tag_;
  const LevelLookup& level_of_;
  int kept_ = 0;
};

std::string Header(const LevelRubyOptions& options) {
  std::string first = common::Cp932ToUtf8Lossy(LevelBoxText(options.first_box));
  switch (static_cast<LevelRangeKind>(options.range_kind)) {
    case LevelRangeKind::kSingle:
      return common::FormatMessage(messages::kLevelHeaderSingle, {first});
    case LevelRangeKind::kRange:
      return common::FormatMessage(
          messages::kLevelHeaderRange,
          {common::Cp932ToUtf8Lossy(LevelBoxText(options.second_box)), first});
    case LevelRangeKind::kAndAbove:
      return common::FormatMessage(messages::kLevelHeaderAndAbove, {first});
    case LevelRangeKind::kAndBelow:
      return common::FormatMessage(messages::kLevelHeaderAndBelow, {first});
    case LevelRangeKind::kOutsideOnly:
      break;
  }
  return std::string(messages::kLevelHeaderOutsideOnly);
}

// One reading of "shori_.$rb"; false when it could not be read whole.
// The filtered text of "shori_.$rb" and the number of groups kept; nullopt when it cannot be
// read.
std::optional<int> FilterFile(const common::WorkDir& work, ByteSink& out,
                              const LevelRubyOptions& options, const LevelLookup& level_of) {
  common::TextReader in;
  if (!in.Open(work.File(common::kCleanedUp))) return std::nullopt;
  FileSource source(in);
  int kept = FilterLevels(source, out, options, level_of);
  if (!in.Close()) return std::nullopt;
  return kept;
}

}  // namespace

int FilterLevels(ByteSource& in, ByteSink& out, const LevelRubyOptions& options,
                 const LevelLookup& level_of) {
  LevelVisitor visitor(options, level_of);
  ScanGroups(in, out, /*copy_areas=*/true, visitor);
  return visitor.Kept();
}

std::string LevelHeader(const LevelRubyOptions& options, int kept) {
  return common::Sjis(Header(options) +
                      common::FormatMessage(messages::kLevelSummary, {std::int64_t{kept}}));
}

std::string FilterLevelsOfText(std::string_view text, const LevelRubyOptions& options,
                               const LevelLookup& level_of) {
  StringSource source(text);
  StringSink sink;
  int kept = FilterLevels(source, sink, options, level_of);
  if (!options.header) return std::move(sink.Text());
  return LevelHeader(options, kept) + sink.Text();
}

LevelFilterStatus RunLevelFilter(const common::WorkDir& work,
                                 const std::filesystem::path& dictionary_file,
                                 const LevelRubyOptions& options, common::Messenger& messenger) {
  dictionary::LevelDictionary dictionary;
  if (!dictionary.Load(dictionary_file, messenger)) return LevelFilterStatus::kDictionaryNotLoaded;
  LevelLookup level_of = [&dictionary](std::uint16_t kanji) {
    return dictionary.LevelIndexOf(kanji);
  };
  std::function<std::string(int)> header;
  if (options.header) header = [&options](int kept) { return LevelHeader(options, kept); };
  HeadedFileStatus status = WriteHeadedFile(
      work.File(common::kLevelFiltered),
      [&](ByteSink& out) { return FilterFile(work, out, options, level_of); }, header);
  switch (status) {
    case HeadedFileStatus::kOk:
      return LevelFilterStatus::kOk;
    case HeadedFileStatus::kInputFailed:
      return LevelFilterStatus::kInputFailed;
    case HeadedFileStatus::kOutputFailed:
      break;
  }
  return LevelFilterStatus::kOutputFailed;
}

}  // namespace engine
