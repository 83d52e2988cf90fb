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
  std::filesystem::path MainDictionary() const { return DicDir() / "Qv_Body.dic"; }
  // One file, whichever case a caller has in mind (Qv_Users.dic / qv_users.dic).
  std::filesystem::path StandardUserDictionary() const { return DicDir() / "Qv_Users.dic"; }

 private:
  std::filesystem::path dir_;
};

}  // namespace common
