// Grade allocation: every ruby group whose kanji is an education kanji read with a reading
// taught at school, or that is a school 熟字訓, gets its grade code in front of the base:
// {漢/かん} becomes {6999漢/かん} for a grade-3 kanji.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/platform/working_files.h"
#include "dictionary/grade_dictionary.h"
#include "engine/byte_stream.h"
#include "engine/filters/jukujikun_list.h"

namespace engine {

enum class [[nodiscard]] GradeAllocationStatus : int{
    kOk = 1,
    kDictionaryNotLoaded = -30,  // after the dictionary's own message
    kInputFailed = -27,          // "shori_.$rb" could not be opened or read
    kOutputFailed = -28,         // "hai_.$rb" could not be opened or written
};

// The grade filter reads at most this many digits as the code. Before a base that begins with a
// digit the code is written with all of them (06999, or 22222 for none, which the filter treats
// as no code at all), so that the base's own digits are never taken for a code.
inline constexpr std::size_t kGradeCodeDigits = 5;
inline constexpr int kNoGrade = 22222;

using dictionary::GradeCodeOf;

// The entry of an education kanji, or nullptr.
using GradeLookup = std::function<const dictionary::GradeEntry*(std::uint16_t kanji)>;

struct GradeSources {
  GradeLookup find;
  const JukujikunList& jukujikun;
  bool compound_check = false;  // one-character groups look in the 熟字訓 list first
};

// Streams `in` to `out`, non-ruby areas copied unchanged.
void AllocateGrades(ByteSource& in, ByteSink& out, const GradeSources& sources);
std::string AllocateGradesOfText(std::string_view text, const GradeSources& sources);

struct GradeAllocationFiles {
  std::filesystem::path dictionary;  // dic/HaitouNen.dic
  int kanji_count = 0;               // H_KANJISUU
  std::filesystem::path jukujikun;   // dic/小学熟字訓.txt
};

// The grade-allocation dictionary and the 熟字訓 list, loaded once for a run, and the visitor
// that gives each group its code.
class GradeAllocator {
 public:
  GradeAllocator() = default;
  GradeAllocator(const GradeAllocator&) = delete;
  GradeAllocator& operator=(const GradeAllocator&) = delete;

  // False after the dictionary's own message; an unreadable 熟字訓 list is reported and the
  // allocation goes on without it.
  [[nodiscard]] bool Load(const GradeAllocationFiles& files, bool compound_check,
                          common::Messenger& messenger);
  // Writes the group with its code in front of the base (or unchanged).
  void Allocate(std::string_view group, ByteSink& out) const;

 private:
  dictionary::GradeDictionary dictionary_;
  JukujikunList jukujikun_;
  std::unique_ptr<GradeSources> sources_;  // over the two above, once loaded
};

// Reads "shori_.$rb" and writes "hai_.$rb" in `work`. An unreadable 熟字訓 list is reported
// and the step goes on without it.
GradeAllocationStatus RunGradeAllocation(const common::WorkDir& work,
                                         const GradeAllocationFiles& files, bool compound_check,
                                         common::Messenger& messenger);

}  // namespace engine
