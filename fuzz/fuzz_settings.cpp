// Any bytes as the settings file: it is read, written back and read again, and the second
// reading is the first; an override of any key with any value never breaks that either.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/settings/ini_file.h"
#include "common/settings/settings.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  std::string section(input.Field());
  std::string key(input.Field());
  std::string value(input.Field());
  std::string_view file = input.Rest();

  common::IniFile parsed = common::IniFile::Parse(file);
  std::string serialized = parsed.Serialize();
  fuzzing::Require(common::IniFile::Parse(serialized).Serialize() == serialized,
                   "a written settings document reads back as written");
  if (parsed.Set(section, key, value)) {
    fuzzing::Require(common::IniFile::Parse(parsed.Serialize()).Get(section, key).has_value(),
                     "a value that was set reads back");
  }

  // The file's reading and writing without the file: what LoadSettings and SaveSettings do.
  const std::filesystem::path dir = "/mirukaze-fuzz";
  common::Settings settings = common::SettingsOf(parsed, dir);
  (void)common::OverrideSetting(settings, section, key, value);
  (void)common::NonRubyAreasOf(settings);
  common::PutSettings(settings, parsed);
  common::Settings again = common::SettingsOf(common::IniFile::Parse(parsed.Serialize()), dir);
  fuzzing::Require(again.h_kanjisuu == settings.h_kanjisuu && again.dic_num == settings.dic_num &&
                       again.dic_names == settings.dic_names &&
                       again.nnn_templates == settings.nnn_templates &&
                       again.ymi_templates == settings.ymi_templates &&
                       again.no_rb_bgn_str == settings.no_rb_bgn_str &&
                       again.html_font_name == settings.html_font_name &&
                       again.grade_low == settings.grade_low &&
                       again.level_high == settings.level_high,
                   "saved settings read back as they were");
  return 0;
}
