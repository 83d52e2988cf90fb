// Rules about the ruby window's document that need no window: the name of a document not yet
// saved, when YMI output applies to it, and where the window is placed.
#pragma once

#include <filesystem>
#include <string_view>

#include "common/settings/settings.h"
#include "common/settings/window_place.h"

namespace rubywindow::view {

// The name the ruby window gives a document that has no file yet.
inline constexpr std::string_view kNewDocumentName = "新規ﾌｧｲﾙ.srb";

// Whether `path` names a document that has no file yet. Both spellings the program has used
// count, half-width (新規ﾌｧｲﾙ.srb) and full-width (新規ファイル.srb), so an empty window never
// reports its own placeholder name as a missing file.
bool IsNewDocument(const std::filesystem::path& path);

// YMI output works on the output of line-and-field ruby: a ".lrb" file, in any case.
bool YmiAvailableFor(const std::filesystem::path& path);

// The stored place of the ruby window, made large enough to work in: a window lower than 400
// opens 400 high at top 150, one narrower than 500 opens 500 wide at left 150.
common::WindowPlace RubyWindowPlace(const common::Settings& settings);

}  // namespace rubywindow::view
