// The fixed names of the working files through which every ruby pass and dictionary build runs,
// and the folder that holds them. Each name appears here and nowhere else.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace common {

// Ruby passes.
inline constexpr std::string_view kPreparedText = "tempo$$$.$$$";
inline constexpr std::string_view kLineFieldMarked = "geta_.$rb";
inline constexpr std::string_view kNonRubyMarked = "nrb_.$$$";
inline constexpr std::string_view kRunResult = "user_.$rb";
inline constexpr std::string_view kUserRunResult = "user_0.$rb";
inline constexpr std::string_view kContextRead = "bunmyaku_.$rb";  // read in context
inline constexpr std::string_view kCleanedUp = "shori_.$rb";
inline constexpr std::string_view kGradeAllocated = "hai_.$rb";
inline constexpr std::string_view kGradeFiltered = "kimi_ck_.$rb";
inline constexpr std::string_view kLevelFiltered = "kanQ_.$rb";
inline constexpr std::string_view kFirstRubyKept = "first_.$rb";  // ruby on first occurrences

// Dictionary builds.
inline constexpr std::string_view kBuildSource = "users$$$.$$$";
inline constexpr std::string_view kBuildReport = "error_ck.out";
inline constexpr std::string_view kHeaderDump = "adr_info.txt";

// "u10_.$$$" … "u02_.$$$": the output of the matching pass for word length 2–10.
std::string PassOutputName(int word_length);
// "d01.$" … "d10.$": the accepted source entries of one word length.
std::string LengthFileName(int word_length);

// The one folder in which all steps of a command find each other's files.
class WorkDir {
 public:
  explicit WorkDir(std::filesystem::path dir) : dir_(std::move(dir)) {}
  const std::filesystem::path& Dir() const { return dir_; }
  std::filesystem::path File(std::string_view name) const { return dir_ / name; }

 private:
  std::filesystem::path dir_;
};

}  // namespace common
