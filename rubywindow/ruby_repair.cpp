// Ruby groups rewritten one at a time by a walk that never runs past a line.
#include "rubywindow/ruby_repair.h"

#include <algorithm>
#include <utility>

#include "common/ruby_group.h"
#include "common/sjis.h"
#include "rubywindow/messages.h"

namespace rubywindow {

namespace {

constexpr std::string_view kSlash = "/";

// Copies the start of `text` to `out` with each group handed to `rewrite(out, base, reading)`;
// returns the bytes taken. Unless `at_end`, it stops before a group that the end of `text` cuts
// off (its '}' or its line feed may follow) and before a character cut in two.
template <typename Rewrite>
std::size_t MapGroupsOf(std::string_view text, bool at_end, Rewrite& rewrite, std::string& out) {
  std::size_t i = 0;
  while (auto group = common::FindGroup(text, i, common::GroupLineRule::kEndsAtLine)) {
    out += text.substr(i, group->open - i);
    if (!at_end && !group->closed && group->end == text.size()) return group->open;
    std::size_t separator = common::SeparatorOf(text, *group);
    if (!group->closed || separator == std::string_view::npos) {
      out += text.substr(group->open, group->end - group->open);  // left as it is
    } else {
      rewrite(out, text.substr(group->open + 1, separator - group->open - 1),
              text.substr(separator + 1, group->end - separator - 2));
    }
    i = group->end;
  }
  std::size_t end = at_end ? text.size() : common::WholeCharactersEnd(text);
  out += text.substr(i, end - i);
  return end;
}

template <typename Rewrite>
std::string MapGroups(std::string_view text, Rewrite rewrite) {
  std::string out;
  out.reserve(text.size());
  MapGroupsOf(text, /*at_end=*/true, rewrite, out);
  return out;
}

template <typename Rewrite>
common::PieceStep MapGroupsStep(Rewrite rewrite) {
  return [rewrite](std::string_view buffer, std::size_t, bool at_end, std::string& out) mutable {
    return MapGroupsOf(buffer, at_end, rewrite, out);
  };
}

void AppendGroup(std::string& out, std::string_view base, std::string_view reading) {
  out += common::kGroupOpen;
  out += base;
  out += common::kGroupSeparator;
  out += reading;
  out += common::kGroupClose;
}

KanaDirection DirectionOf(int kind) {
  return kind == static_cast<int>(RepairKind::kToKatakana) ? KanaDirection::kToKatakana
                                                           : KanaDirection::kToHiragana;
}

// The group with its reading turned `direction`.
auto ReadingConverter(KanaDirection direction) {
  return [direction](std::string& out, std::string_view base, std::string_view reading) {
    AppendGroup(out, base, ConvertKana(reading, direction));
  };
}

// The group replaced by its base or its reading.
auto PartKeeper(GroupPart part) {
  return [part](std::string& out, std::string_view base, std::string_view reading) {
    out += part == GroupPart::kBase ? base : reading;
  };
}

common::Message MessageOf(std::string_view title, std::string_view text) {
  return {std::string(title), std::string(text)};
}

}  // namespace

std::string RewriteGroups(std::string_view text, const GroupRewrite& rewrite) {
  return MapGroups(text, rewrite);
}

common::PieceStep RewriteGroupsStep(GroupRewrite rewrite) {
  return MapGroupsStep(std::move(rewrite));
}

std::string ConvertAllReadings(std::string_view text, KanaDirection direction) {
  return MapGroups(text, ReadingConverter(direction));
}

KanaDirection DirectionOfAllReadings(std::string_view text) {
  bool hiragana = false;
  // Only hiragana changes on the way to katakana.
  (void)RewriteGroups(text, [&hiragana](std::string&, std::string_view, std::string_view reading) {
    hiragana = hiragana || ConvertKana(reading, KanaDirection::kToKatakana) != reading;
  });
  return hiragana ? KanaDirection::kToKatakana : KanaDirection::kToHiragana;
}

std::string KeepPartOfAllGroups(std::string_view text, GroupPart part) {
  return MapGroups(text, PartKeeper(part));
}

common::PieceStep ConvertAllReadingsStep(KanaDirection direction) {
  return MapGroupsStep(ReadingConverter(direction));
}

common::PieceStep KeepPartOfAllGroupsStep(GroupPart part) {
  return MapGroupsStep(PartKeeper(part));
}

std::string ConvertSelection(std::string_view selection, int kind, bool align_kana) {
  if (kind == static_cast<int>(RepairKind::kKeepBase)) {
    return KeepPartOfAllGroups(selection, GroupPart::kBase);
  }
  if (kind == static_cast<int>(RepairKind::kKeepReading)) {
    return KeepPartOfAllGroups(selection, GroupPart::kReading);
  }
  KanaDirection direction = DirectionOf(kind);
  if (align_kana) return ConvertKana(selection, direction);
  return MapGroups(
      selection, [direction](std::string& out, std::string_view base, std::string_view reading) {
        AppendGroup(out, ConvertKana(base, direction), ConvertKana(reading, direction));
      });
}

SelectionCheck CheckRepairSelection(std::string_view selection) {
  if (selection.empty()) return SelectionCheck::kNothingSelected;
  if (selection.front() != common::kGroupOpen) return SelectionCheck::kNotAtGroup;
  // The last character must be a single-byte '}', not the trail byte of ± (0x81 0x7D).
  std::size_t last = common::AlignedCut(selection, selection.size() - 1);
  if (last != selection.size() - 1 || selection.back() != common::kGroupClose) {
    return SelectionCheck::kNotClosed;
  }
  if (common::FindAligned(selection, kSlash) == std::string_view::npos) {
    return SelectionCheck::kNoSlash;
  }
  return SelectionCheck::kGroups;
}

std::optional<common::Message> RepairSelectionMessage(SelectionCheck check) {
  switch (check) {
    case SelectionCheck::kNothingSelected:
      return MessageOf(messages::kTitleRepair, messages::kAskWholeDocument);
    case SelectionCheck::kNotAtGroup:
      return MessageOf(messages::kTitleRepair, messages::kSelectionNotAtGroup);
    case SelectionCheck::kNotClosed:
      return MessageOf(messages::kTitleSelectionNotClosed, messages::kSelectionNotClosed);
    case SelectionCheck::kNoSlash:
      return MessageOf(messages::kTitleRepair, messages::kSelectionWithoutSlash);
    case SelectionCheck::kGroups:
      break;
  }
  return std::nullopt;
}

namespace {

// Copies the start of `text` to `out` with every occurrence of `selected` replaced; returns the
// bytes taken. Unless `at_end`, the last bytes that could begin an occurrence wait for the text
// after them.
std::size_t ReplaceOccurrencesOf(std::string_view text, bool at_end, std::string_view selected,
                                 std::string_view replacement, std::string& out) {
  std::size_t rest = 0;
  for (std::size_t hit = common::FindAligned(text, selected); hit != std::string_view::npos;
       hit = common::FindAligned(text, selected, rest)) {
    out += text.substr(rest, hit - rest);
    out += replacement;
    rest = hit + selected.size();
  }
  std::size_t end = text.size();
  if (!at_end) {
    std::size_t waiting = selected.empty() ? 0 : selected.size() - 1;
    end = text.size() - std::min(text.size(), waiting);
    end = std::max(rest, end == text.size() ? common::WholeCharactersEnd(text)
                                            : common::AlignedCut(text, end));
  }
  out += text.substr(rest, end - rest);
  return end;
}

}  // namespace

std::string ReplaceAllOccurrences(std::string_view text, std::string_view selected,
                                  std::string_view replacement) {
  std::string out;
  ReplaceOccurrencesOf(text, /*at_end=*/true, selected, replacement, out);
  return out;
}

common::PieceStep ReplaceAllOccurrencesStep(std::string selected, std::string replacement) {
  return [selected = std::move(selected), replacement = std::move(replacement)](
             std::string_view buffer, std::size_t, bool at_end, std::string& out) {
    return ReplaceOccurrencesOf(buffer, at_end, selected, replacement, out);
  };
}

std::string ApplyRepair(std::string_view document, std::size_t selection_start,
                        std::string_view selection, const RepairRequest& request) {
  if (request.all_groups) {
    switch (static_cast<RepairKind>(request.kind)) {
      case RepairKind::kKeepBase:
        return KeepPartOfAllGroups(document, GroupPart::kBase);
      case RepairKind::kKeepReading:
        return KeepPartOfAllGroups(document, GroupPart::kReading);
      case RepairKind::kToKatakana:
        return ConvertAllReadings(document, KanaDirection::kToKatakana);
      case RepairKind::kToHiragana:
        return ConvertAllReadings(document, KanaDirection::kToHiragana);
    }
    return std::string(document);
  }
  std::string replacement = ConvertSelection(selection, request.kind, request.align_kana);
  if (request.scope != 1) return ReplaceAllOccurrences(document, selection, replacement);
  std::string out(document.substr(0, selection_start));
  out += replacement;
  out += document.substr(std::min(document.size(), selection_start + selection.size()));
  return out;
}

}  // namespace rubywindow
