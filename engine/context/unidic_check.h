// A look over the compiled UniDic before MeCab is given it. MeCab checks the sizes of its files
// but trusts what they hold: a damaged character table or word entry sends it outside its own
// tables, and the program with it. What is checked here is every place MeCab indexes by a value
// read from the files: the character table, the words' entries and the double array of their
// spellings.
#pragma once

#include <filesystem>
#include <string>

namespace engine::context {

// Empty when the folder holds a UniDic MeCab can read safely; else the name of the first file
// found missing or damaged, and what is wrong with it (for the user's message).
std::string UnidicFault(const std::filesystem::path& dic_dir);

}  // namespace engine::context
