// The grade filter, as a stream and as the step from "hai_.$rb" to "kimi_ck_.$rb".
#include "engine/grade_filter.h"

#include <algorithm>
#include <array>

#include <cstdint>

#include "common/cp932.h"
#include "common/sjis.h"
#include "common/message_format.h"
#include "common/text_file.h"
#include "engine/grade_allocation.h"
#include "engine/group_scan.h"
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
  // Counting only, the visitor decides for each group whether it stays, and writes nothing.
  GradeFilterVisitor(const GradeRubyOptions& options, bool count_only)
      : tag_(options.tag), count_only_(count_only) {
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
    if (count_only_) {
      // A group the scan hands over ends with its '}' unless the text ended inside it.
      bool closed = group.back() == common::kGroupClose &&
                    common::IsCharacterStart(group, 0, group.size() - 1);
      if (closed && code >= min_ && code <= max_) ++kept_;
      return;
    }
    std::string_view rest = group.substr(base_at);  // from the base through the '}'
    GroupParts parts = SplitGroup(group.substr(base_at - 1));
    if (parts.closed && (code < min_ || code > max_)) {
      out.Write(parts.base);
      return;
    }
    if (parts.closed) {
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
  bool count_only_;
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

// One reading of "hai_.$rb"; false when it could not be read whole.
bool FilterFile(const common::WorkDir& work, ByteSink& out, const GradeRubyOptions& options,
                bool count_only, int& kept) {
  common::TextReader in;
  if (!in.Open(work.File(common::kGradeAllocated))) return false;
  FileSource source(in);
  kept = FilterGrades(source, out, options, count_only);
  return in.Close();
}

}  // namespace

int FilterGrades(ByteSource& in, ByteSink& out, const GradeRubyOptions& options,
                 bool count_only) {
  GradeFilterVisitor visitor(options, count_only);
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
  int kept = FilterGrades(source, sink, options, /*count_only=*/false);
  if (!options.header) return std::move(sink.Text());
  return GradeHeader(options, kept) + sink.Text();
}

GradeFilterStatus RunGradeFilter(const common::WorkDir& work, const GradeRubyOptions& options) {
  // The summary stands before the text but counts its groups: a first reading counts them, so
  // that the text streams through once more instead of being held.
  int kept = 0;
  if (options.header) {
    NullSink counter;
    if (!FilterFile(work, counter, options, /*count_only=*/true, kept)) {
      return GradeFilterStatus::kInputFailed;
    }
  }
  common::TextWriter out;
  if (!out.Open(work.File(common::kGradeFiltered))) return GradeFilterStatus::kOutputFailed;
  if (options.header) out.Write(GradeHeader(options, kept));
  FileSink sink(out);
  bool read = FilterFile(work, sink, options, /*count_only=*/false, kept);
  if (!out.Close()) return GradeFilterStatus::kOutputFailed;
  return read ? GradeFilterStatus::kOk : GradeFilterStatus::kInputFailed;
}

}  // namespace engine
