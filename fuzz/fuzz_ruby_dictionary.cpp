// Any bytes as a ruby dictionary file: the loader refuses what does not hold together, and in a
// section it accepted every key is found again and its reading lies inside the section.
#include <cstddef>
#include <cstdint>

#include "dictionary/restore.h"
#include "dictionary/ruby_dictionary.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::QuietMessenger messenger;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Opened again for every input, as the program opens a dictionary it has had open before.
  static dictionary::RubyDictionary loaded;
  if (!loaded.OpenBytes(bytes, "Qv_Body.dic", messenger)) return 0;
  for (int length = 1; length <= dictionary::kMaxWordLength; ++length) {
    if (!loaded.LoadLength(length, messenger)) continue;
    std::size_t keys = loaded.KeyCount();
    for (std::size_t i = 0; i < keys; ++i) {
      std::string_view key = loaded.Key(static_cast<int>(i));
      int found = loaded.Find(key);
      // A key stored outside its own bucket is not found; what is found must be that key.
      if (found >= 0) {
        fuzzing::Require(loaded.Key(found) == key, "a lookup finds the key it was asked for");
        (void)loaded.ReadingOf(found).size();
      }
    }
    (void)dictionary::RestoredLines(loaded);
  }
  return 0;
}
