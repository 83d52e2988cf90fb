// The grade filter, as a stream and as the step from "hai_.$rb" to "kimi_ck_.$rb".
#include "engine/filters/grade_filter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/encoding/cp932.h"
#include "common/message_format.h"
#include "common/notation/ruby_group.h"
#include "common/encoding/sjis.h"
#include "common/encoding/text_file.h"
#include "engine/filters/grade_allocation.h"
#include "engine/headed_file.h"
#include "engine/filters/group_scan.h"
#include "engine/memory_stream.h"
#include "engine/messages.h"

namespace engine {
namespace {

constexpr int kOpenHighCode = 99999;  // the top of "the grade and above": every code
constexpr std::string_view kTagOpen = "@[";
constexpr std::string_view kTagClose = "]";
constexpr std::string_view kOutsideTag = "教外";
constexpr std::string_view kGradeTag = "教%d年";

bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }

class GradeFilterVisitor final : public GroupVisitor {
 public:
  explicit GradeFilterVisitor(const GradeRubyOptions& options) : tag_(options.tag) {
    GradeBounds bounds = GradeBoundsOf(options);
    min_ = GradeCodeOf(bounds.low);
    max_ = bounds.high >= kBeyondLastGrade ? kOpenHighCode : GradeCodeOf(bounds.high);
  }

  void Visit(std::string_view group, ByteSink& out) override {
    std::size_t base_at = 1;
    int code = 0;
    while (base_at <= kGradeCodeDigits && base_at < group.size() && IsDigit(group[base_at])) {
      code = code * 10 + (group[base_at] - '0');
      ++base_at;
    }
    if (base_at == 1) code = kNoGrade;
    std::string_view rest = group.substr(base_at);  // from the base through the '}'
    // The scan hands over a group through its '}', or to the end of the text when unclosed.
    bool closed = group.back() == common::kGroupClose &&
                  common::IsCharacterStart(group, 0, group.size() - 1);
    if (closed && (code < min_ || code > max_)) {
      out.Write(common::SplitGroup(group.substr(base_at - 1)).base);
      return;
    }
    if (closed) {
      ++kept_;
      if (tag_) WriteTag(code, out);
    }
    out.Write(group.substr(0, 1));
    out.Write(rest);
  }

  int Kept() const { return kept_; }

 private:
  static void WriteTag(int code, ByteSink& out) {
    // The tag texts are converted once: a text holds thousands of kept groups.
    static const std::array<std::string, kBeyondLastGrade + 1> kTags = [] {
      std::array<std::string, kBeyondLastGrade + 1> tags;
      for (int grade = 0; grade < kBeyondLastGrade; ++grade) {
        tags[static_cast<std::size_t>(grade)] =
            common::Sjis(common::FormatMessage(kGradeTag, {std::int64_t{grade}}));
      }
      tags[kBeyondLastGrade] = common::Sjis(kOutsideTag);
      return tags;
    }();
    int grade = std::clamp((code / 1000 + 1) / 2, 0, kBeyondLastGrade);
    out.Write(kTagOpen);
    out.Write(kTags[static_cast<std::size_t>(grade)]);
    out.Write(kTagClose);
  }

  bool tag_;
  int min_ = 0;
  int max_ = 0;
  int kept_ = 0;
};

std::string Header(const GradeRubyOptions& options) {
  GradeBounds bounds = GradeBoundsOf(options);
  std::int64_t low = bounds.low;
  std::int64_t high = bounds.high;
  switch (static_cast<GradeRangeKind>(options.range_kind)) {
    case GradeRangeKind::kSingle:
      return common::FormatMessage(messages::kGradeHeaderSingle, {low});
    case GradeRangeKind::kRange:
      return common::FormatMessage(messages::kGradeHeaderRange, {low, high});
    case GradeRangeKind::kAndAbove:
      return common::FormatMessage(messages::kGradeHeaderAndAbove, {low});
    case GradeRangeKind::kAndBelow:
      return common::FormatMessage(messages::kGradeHeaderAndBelow, {high});
    case GradeRangeKind::kEducationOnly:
      break;
  }
  return std::string(messages::kGradeHeaderEducationOnly);
}

// The filtered text of "hai_.$rb" and the number of groups kept; nullopt when it cannot be read.
std::optional<int> FilterFile(const common::WorkDir& work, ByteSink& out,
                              const GradeRubyOptions& options) {
  common::TextReader in;
  if (!in.Open(work.File(common::kGradeAllocated))) return std::nullopt;
  FileSource source(in);
  int kept = FilterGrades(source, out, options);
  if (!in.Close()) return std::nullopt;
  return kept;
}

// Each group as the allocation writes it, handed straight to the filter.
class AllocateThenFilter final : public GroupVisitor {
 public:
  AllocateThenFilter(const GradeAllocator& allocator, GradeFilterVisitor& filter)
      : allocator_(allocator), filter_(filter) {}
  void Visit(std::string_view group, ByteSink& out) override {
    allocated_.Text().clear();
    allocator_.Allocate(group, allocated_);
    filter_.Visit(allocated_.Text(), out);
  }

 private:
  const GradeAllocator& allocator_;
  GradeFilterVisitor& filter_;
  StringSink allocated_;
};

}  // namespace

GradeRubyStatus RunGradeAllocationAndFilter(const common::WorkDir& work,
                                            const GradeAllocationFiles& files,
                                            const GradeRubyOptions& options,
                                            common::Messenger& messenger) {
  GradeAllocator allocator;
  if (!allocator.Load(files, options.compound_check, messenger)) {
    return GradeRubyStatus::kAllocationFailed;
  }
  common::TextReader in;
  if (!in.Open(work.File(common::kCleanedUp))) return GradeRubyStatus::kAllocationFailed;
  std::function<std::string(int)> header;
  if (options.header) header = [&options](int kept) { return GradeHeader(options, kept); };
  HeadedFileStatus status = WriteHeadedFile(
      work.File(common::kGradeFiltered),
      [&](ByteSink& out) -> std::optional<int> {
        FileSource source(in);
        GradeFilterVisitor filter(options);
        AllocateThenFilter visitor(allocator, filter);
        ScanGroups(source, out, /*copy_areas=*/false, visitor);
        if (!in.Close()) return std::nullopt;
        return filter.Kept();
      },
      header);
  switch (status) {
    case HeadedFileStatus::kOk:
      return GradeRubyStatus::kOk;
    case HeadedFileStatus::kInputFailed:
      return GradeRubyStatus::kAllocationFailed;
    case HeadedFileStatus::kOutputFailed:
      break;
  }
  return GradeRubyStatus::kFilterFailed;
}

int FilterGrades(ByteSource& in, ByteSink& out, const GradeRubyOptions& options) {
  GradeFilterVisitor visitor(options);
  ScanGroups(in, out, /*copy_areas=*/false, visitor);
  return visitor.Kept();
}

std::string GradeHeader(const GradeRubyOptions& options, int kept) {
  return common::Sjis(Header(options) +
                      common::FormatMessage(messages::kGradeSummary, {std::int64_t{kept}}));
}

std::string FilterGradesOfText(std::string_view text, const GradeRubyOptions& options) {
  StringSource source(text);
  StringSink sink;
  int kept = FilterGrades(source, sink, options);
  if (!options.header) return std::move(sink.Text());
  return GradeHeader(options, kept) + sink.Text();
}

GradeFilterStatus RunGradeFilter(const common::WorkDir& work, const GradeRubyOptions& options) {
  std::function<std::string(int)> header;
  if (options.header) header = [&options](int kept) { return GradeHeader(options, kept); };
  HeadedFileStatus status = WriteHeadedFile(
      work.File(common::kGradeFiltered),
      [&](ByteSink& out) { return FilterFile(work, out, options); }, header);
  switch (status) {
    case HeadedFileStatus::kOk:
      return GradeFilterStatus::kOk;
    case HeadedFileStatus::kInputFailed:
      return GradeFilterStatus::kInputFailed;
    case HeadedFileStatus::kOutputFailed:
      break;
  }
  return GradeFilterStatus::kOutputFailed;
}

}  // namespace engine
