// The word-processor and web files of a ruby text: ODT with native ruby (text:ruby), DOCX with
// native ruby (w:ruby), and an HTML5 page with <ruby> for A4 worksheets, all from one walk.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace worksheet {

enum class SheetFormat { kOdt, kDocx, kHtml5 };

// "odt", "docx", "html5"; nullopt for another name.
std::optional<SheetFormat> SheetFormatNamed(std::string_view name);
// ".odt", ".docx", ".html".
std::string_view ExtensionOf(SheetFormat format);

struct SheetOptions {
  bool vertical = false;  // written top to bottom, lines right to left
  std::string title;      // UTF-8: the page's title
};

// The font the files ask for, and the ones a reader without it may take instead.
inline constexpr std::string_view kSheetFont = "Noto Serif CJK JP";
inline constexpr std::string_view kFallbackFont = "IPAexMincho";

// One file inside a package; `stored` ones are not compressed (an ODT's mimetype).
struct PackagePart {
  std::string name;
  std::string bytes;
  bool stored = false;
};

// `sjis` is a ruby text in Shift_JIS; every file is UTF-8.
std::vector<PackagePart> OdtParts(std::string_view sjis, const SheetOptions& options);
std::vector<PackagePart> DocxParts(std::string_view sjis, const SheetOptions& options);
std::string Html5Page(std::string_view sjis, const SheetOptions& options);

// Writes the file of `format` at `path` (made anew). False when it could not be written; no
// partial file is then left, and errno tells why.
[[nodiscard]] bool WriteSheet(const std::filesystem::path& path, SheetFormat format,
                              std::string_view sjis, const SheetOptions& options);

}  // namespace worksheet
