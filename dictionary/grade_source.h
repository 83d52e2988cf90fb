// The list of education kanji (教育漢字.txt) read into grade entries, and those entries laid out
// as HaitouNen.dic. Pure functions: the file work is the builder's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/grade_dictionary.h"

namespace dictionary {

struct GradeSource {
  GradeBuildStatus status = GradeBuildStatus::kOk;
  int line_number = 0;  // the faulty line, counted from 1 with comment lines
  std::vector<GradeEntry> entries;
  int reading_bytes = 0;  // the reading area they fill, end bytes included
};

// `text` has LF line ends. A line that begins with "#" or a tab is a comment. Fields are
// separated by runs of tabs: an unused field, the kanji, the grade (1–6), then one reading per
// field; a reading field shorter than 2 bytes is passed over. Stops at the first faulty line.
// The limits of the layout are not checked here.
GradeSource ParseGradeSource(std::string_view text);

// The whole file, kGradeFileSize bytes. The caller has checked the entries against the limits
// of the layout (kGradeMaxKanji, kGradeReadingAreaSize).
std::string EncodeGradeDictionary(const std::vector<GradeEntry>& entries);

}  // namespace dictionary
