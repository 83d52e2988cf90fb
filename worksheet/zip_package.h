// A zip container written through libzip, as ODT and DOCX files are.
#pragma once

#include <filesystem>
#include <span>

#include "worksheet/sheet_formats.h"

namespace worksheet {

// Writes `parts` in their order into a new zip file at `path` (replacing what stands there).
// False when it could not be written; the file is then removed, and errno tells why.
[[nodiscard]] bool WriteZipPackage(const std::filesystem::path& path,
                                   std::span<const PackagePart> parts);

}  // namespace worksheet
