// The grade filter of grade ruby: a group whose grade code lies in the chosen range keeps its
// reading (the code itself is dropped); every other group is reduced to its bare base. A group
// without a code counts as code 22222, so it keeps its reading only for "the grade and above".
#pragma once

#include <string>
#include <string_view>

#include "common/platform/working_files.h"
#include "engine/byte_stream.h"
#include "engine/filters/filter_options.h"
#include "engine/filters/grade_allocation.h"

namespace engine {

enum class [[nodiscard]] GradeFilterStatus : int{
    kOk = 1,
    kInputFailed = -32,   // "hai_.$rb" could not be opened or read
    kOutputFailed = -33,  // "kimi_ck_.$rb" could not be opened or written
};

// Streams `in` to `out` and returns the number of groups that kept their reading. Writes no
// header; see GradeHeader. `options` must have passed ValidateGradeRuby.
int FilterGrades(ByteSource& in, ByteSink& out, const GradeRubyOptions& options);

// The header line of the range kind and the summary with `kept` groups (Shift_JIS).
std::string GradeHeader(const GradeRubyOptions& options, int kept);

// The whole filter on text held in memory, header included when the options ask for it.
std::string FilterGradesOfText(std::string_view text, const GradeRubyOptions& options);

// Reads "hai_.$rb" and writes "kimi_ck_.$rb" in `work`. Shows no message.
GradeFilterStatus RunGradeFilter(const common::WorkDir& work, const GradeRubyOptions& options);

// Grade allocation and grade filter in one reading of "shori_.$rb": each group gets its code
// and is filtered at once, so "hai_.$rb" is never written; "kimi_ck_.$rb" comes out the same.
// The clean-up has left no area markers in "shori_.$rb", so every group is visited by both.
enum class [[nodiscard]] GradeRubyStatus : int {
  kOk = 1,
  kAllocationFailed = -30,  // the grade-allocation dictionary, or "shori_.$rb" unreadable
  kFilterFailed = -33,      // "kimi_ck_.$rb" could not be written
};
GradeRubyStatus RunGradeAllocationAndFilter(const common::WorkDir& work,
                                            const GradeAllocationFiles& files,
                                            const GradeRubyOptions& options,
                                            common::Messenger& messenger);

}  // namespace engine
