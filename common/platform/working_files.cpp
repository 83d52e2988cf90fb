// Numbered working-file names.
#include "common/platform/working_files.h"

#include <cstdio>

namespace common {

std::string PassOutputName(int word_length) {
  char name[16];
  std::snprintf(name, sizeof name, "u%02d_.$$$", word_length);
  return name;
}

std::string LengthFileName(int word_length) {
  char name[16];
  std::snprintf(name, sizeof name, "d%02d.$", word_length);
  return name;
}

}  // namespace common
