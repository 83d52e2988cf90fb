// Grade codes for the groups of a ruby text, from the grade-allocation dictionary and the list
// of school 熟字訓.
#include "engine/filters/grade_allocation.h"

#include <algorithm>
#include <optional>

#include "common/notation/ruby_group.h"
#include "common/encoding/sjis.h"
#include "common/encoding/text_file.h"
#include "engine/filters/group_scan.h"
#include "engine/memory_stream.h"
#include "engine/messages.h"

namespace engine {
namespace {

constexpr std::size_t kOneCharacterBase = 2;  // a base of two bytes is one kanji

bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }

class GradeVisitor final : public GroupVisitor {
 public:
  explicit GradeVisitor(const GradeSources& sources) : sources_(sources) {}

  void Visit(std::string_view group, ByteSink& out) override {
    common::GroupParts parts = common::SplitGroup(group);
    if (!parts.closed || !parts.has_separator) {
      out.Write(group);
      return;
    }
    std::optional<int> code = CodeOf(parts, group);
    out.Write(group.substr(0, 1));
    if (!parts.base.empty() && IsDigit(parts.base[0])) {
      std::string digits = std::to_string(code.value_or(kNoGrade));
      out.Write(std::string(kGradeCodeDigits - std::min(digits.size(), kGradeCodeDigits), '0'));
      out.Write(digits);
    } else if (code) {
      out.Write(std::to_string(*code));
    }
    out.Write(group.substr(1));
  }

 private:
  std::optional<int> CodeOf(const common::GroupParts& parts, std::string_view group) const {
    // base "/" reading, as the 熟字訓 list writes it
    std::string_view entry = group.substr(1, parts.base.size() + 1 + parts.reading.size());
    if (parts.base.size() != kOneCharacterBase) return GradeFromList(entry, false);

    std::uint16_t kanji = common::CodeOf(static_cast<unsigned char>(parts.base[0]),
                                         static_cast<unsigned char>(parts.base[1]));
    // Education kanji are all JIS level-1 kanji.
    if (kanji >= common::kLevel1KanjiEnd) return std::nullopt;
    const dictionary::GradeEntry* found = sources_.find(kanji);
    if (!found) return std::nullopt;
    if (sources_.compound_check) {
      if (std::optional<int> code = GradeFromList(entry, true)) return code;
    }
    // A reading with alternatives ("|") is never one of the school readings.
    for (const std::string& reading : found->readings) {
      if (reading == parts.reading) return found->grade_code;
    }
    return std::nullopt;
  }

  std::optional<int> GradeFromList(std::string_view entry, bool one_character) const {
    std::optional<int> grade = sources_.jukujikun.GradeOf(entry, one_character);
    if (!grade) return std::nullopt;
    return GradeCodeOf(*grade);
  }

  const GradeSources& sources_;
};

// The allocator as a visitor of the group scan.
class AllocatingVisitor final : public GroupVisitor {
 public:
  explicit AllocatingVisitor(const GradeAllocator& allocator) : allocator_(allocator) {}
  void Visit(std::string_view group, ByteSink& out) override { allocator_.Allocate(group, out); }

 private:
  const GradeAllocator& allocator_;
};

}  // namespace

void AllocateGrades(ByteSource& in, ByteSink& out, const GradeSources& sources) {
  GradeVisitor visitor(sources);
  ScanGroups(in, out, /*copy_areas=*/true, visitor);
}

std::string AllocateGradesOfText(std::string_view text, const GradeSources& sources) {
  StringSource source(text);
  StringSink sink;
  AllocateGrades(source, sink, sources);
  return std::move(sink.Text());
}

bool GradeAllocator::Load(const GradeAllocationFiles& files, bool compound_check,
                          common::Messenger& messenger) {
  if (!jukujikun_.Load(files.jukujikun, messenger)) {
    messenger.Tell({std::string(messages::kTitleDataReport),
                    std::string(messages::kJukujikunListUnreadable), common::Icon::kWarning});
  }
  if (!dictionary_.Load(files.dictionary, files.kanji_count, messenger)) return false;
  sources_ = std::make_unique<GradeSources>(GradeSources{
      .find = [this](std::uint16_t kanji) { return dictionary_.Find(kanji); },
      .jukujikun = jukujikun_,
      .compound_check = compound_check});
  return true;
}

void GradeAllocator::Allocate(std::string_view group, ByteSink& out) const {
  GradeVisitor(*sources_).Visit(group, out);
}

GradeAllocationStatus RunGradeAllocation(const common::WorkDir& work,
                                         const GradeAllocationFiles& files, bool compound_check,
                                         common::Messenger& messenger) {
  GradeAllocator allocator;
  if (!allocator.Load(files, compound_check, messenger)) {
    return GradeAllocationStatus::kDictionaryNotLoaded;
  }
  common::TextReader in;
  if (!in.Open(work.File(common::kCleanedUp))) return GradeAllocationStatus::kInputFailed;
  common::TextWriter out;
  if (!out.Open(work.File(common::kGradeAllocated))) return GradeAllocationStatus::kOutputFailed;
  FileSource source(in);
  FileSink sink(out);
  AllocatingVisitor visitor(allocator);
  ScanGroups(source, sink, /*copy_areas=*/true, visitor);
  if (!out.Close()) return GradeAllocationStatus::kOutputFailed;
  if (!in.Close()) return GradeAllocationStatus::kInputFailed;
  return GradeAllocationStatus::kOk;
}

}  // namespace engine
