// The program directory: the settings file and the dictionaries under dic/.
#pragma once

#include <filesystem>

namespace common {

class ProgramDir {
 public:
  explicit ProgramDir(std::filesystem::path dir) : dir_(std::move(dir)) {}
  const std::filesystem::path& Dir() const { return dir_; }
  std::filesystem::path DicDir() const { return dir_ / "dic"; }
  std::filesystem::path SettingsFile() const { return dir_ / "qelvoVR11.ini"; }
  // Held by a run while it reads, changes and writes back the settings file.
  std::filesystem::path SettingsLockFile() const { return dir_ / "qelvoVR11.ini.lock"; }
  std::filesystem::path MainDictionary() const { return DicDir() / "Qv_Body.dic"; }
  // One file, whichever case a caller has in mind (Qv_Users.dic / qv_users.dic).
  std::filesystem::path StandardUserDictionary() const { return DicDir() / "Qv_Users.dic"; }
  // The grade-allocation dictionary (HaitouNen.dic / haitouNen.dic) and its sources.
  std::filesystem::path GradeDictionary() const { return DicDir() / "HaitouNen.dic"; }
  std::filesystem::path GradeSource() const { return DicDir() / "教育漢字.txt"; }
  std::filesystem::path SchoolJukujikunList() const { return DicDir() / "小学熟字訓.txt"; }
  // The kanji-test level dictionary and the folder of its twelve lists.
  std::filesystem::path LevelDictionary() const { return DicDir() / "kanken_Q.dic"; }
  std::filesystem::path LevelSourceDir() const { return DicDir() / "q_file"; }
  // What the program last wrote to each ruby file it put beside a document.
  std::filesystem::path WrittenRecordDir() const { return dir_ / "written"; }

 private:
  std::filesystem::path dir_;
};

}  // namespace common
