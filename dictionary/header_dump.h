// "adr_info.txt": the length records of a freshly built dictionary in readable form, for
// looking into a dictionary without a hex viewer.
#pragma once

#include <filesystem>
#include <string>

#include "dictionary/dictionary_compiler.h"

namespace dictionary {

// Six lines per word length ("hushv[0]==997" …), with the full word count rather than the
// 16 bits the header keeps.
std::string HeaderDumpText(const CompiledDictionary& compiled);

// false when the file could not be written completely.
[[nodiscard]] bool WriteHeaderDump(const std::filesystem::path& path,
                                   const CompiledDictionary& compiled);

}  // namespace dictionary
