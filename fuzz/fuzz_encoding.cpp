// Any bytes through the CP932 and UTF-8 conversions, the encoding guess and the line-end
// conversions.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/encoding/cp932.h"
#include "common/encoding/text_encoding.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  std::optional<std::string> utf8 = common::Cp932ToUtf8(bytes);
  if (utf8) {
    fuzzing::Require(common::IsValidUtf8(*utf8), "CP932 decodes to valid UTF-8");
    std::optional<std::string> back = common::Utf8ToCp932(*utf8);
    fuzzing::Require(back.has_value(), "decoded CP932 encodes again");
    fuzzing::Require(common::Cp932ToUtf8(*back) == utf8, "CP932 round trip is stable");
  }
  fuzzing::Require(common::IsValidUtf8(common::Cp932ToUtf8Lossy(bytes)),
                   "a lossy decode is valid UTF-8");
  std::string lossy = common::Utf8ToCp932Lossy(bytes);
  fuzzing::Require(common::Cp932ToUtf8(lossy).has_value(), "a lossy encode is valid CP932");

  common::TextEncoding guess = common::DetectEncoding(bytes);
  if (bytes.starts_with(common::kUtf8Bom)) {
    fuzzing::Require(guess == common::TextEncoding::kUtf8WithBom, "a BOM settles UTF-8");
  } else if (guess != common::TextEncoding::kShiftJis) {
    fuzzing::Require(common::IsValidUtf8(bytes), "only valid UTF-8 is guessed UTF-8");
  }
  fuzzing::Require(common::CrLfToLf(common::LfToCrLf(bytes)) == bytes,
                   "line ends come back as they were");
  return 0;
}
