#include "engine/context/conventions.h"

#include "common/encoding/cp932.h"
#include "engine/context/conventions_table.h"

namespace engine::context {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  while (!line.empty()) {
    std::size_t tab = line.find('\t');
    std::string_view field = line.substr(0, tab);
    if (!field.empty()) fields.push_back(field);
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
  }
  return fields;
}

}  // namespace

Conventions Conventions::Parse(std::string_view table, std::vector<std::string>& faults) {
  Conventions conventions;
  int number = 0;
  while (!table.empty()) {
    std::size_t end = table.find('\n');
    std::string_view line = table.substr(0, end);
    table.remove_prefix(end == std::string_view::npos ? table.size() : end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string_view> utf8 = Fields(line);
    std::vector<std::string> f;
    bool converted = true;
    for (std::size_t i = 1; i < utf8.size(); ++i) {
      std::optional<std::string> sjis = common::Utf8ToCp932(utf8[i]);
      if (!sjis) converted = false;
      f.push_back(sjis.value_or(""));
    }
    std::string_view kind = utf8.empty() ? std::string_view() : utf8.front();
    if (!converted) {
      faults.push_back(std::to_string(number) + ": not Shift_JIS");
    } else if (kind == "word" && f.size() == 3) {
      if (f[1] == "*") {
        conventions.any_reading_[f[0]] = f[2];
      } else {
        conventions.words_[{f[0], f[1]}] = f[2];
      }
    } else if (kind == "after" && f.size() == 3) {
      conventions.after_[{f[0], f[1]}] = f[2];
    } else if (kind == "counter" && f.size() >= 2) {
      conventions.counters_[f[0]].assign(f.begin() + 1, f.end());
    } else if (kind == "before" && f.size() == 3) {
      conventions.before_[{f[0], f[1]}] = f[2];
    } else if (kind == "suffix" && f.size() == 2) {
      conventions.suffixes_[f[0]] = f[1];
    } else if (kind == "digits" && f.size() == 13) {
      conventions.digits_[f[0]].assign(f.begin() + 1, f.end());
    } else if (kind == "number" && f.size() >= 3) {
      for (std::size_t n = 2; n < f.size(); ++n) conventions.exact_numbers_[f[0]][f[n]] = f[1];
    } else if (kind == "phrase" && f.size() == 5) {
      conventions.phrases_[f[0] + '\t' + f[1] + '\t' + f[2]] = {f[3], f[4]};
    } else if (kind == "alone" && f.size() == 3) {
      conventions.alone_[{f[0], f[1]}] = f[2];
    } else if (kind == "weekday" && f.size() == 2) {
      conventions.weekdays_[f[0]] = f[1];
    } else {
      faults.push_back(std::to_string(number) + ": " + std::string(line));
    }
  }
  return conventions;
}

const Conventions& Conventions::BuiltIn() {
  static const Conventions conventions = [] {
    std::vector<std::string> faults;
    return Parse(kConventionsTable, faults);
  }();
  return conventions;
}

const std::string* Conventions::WordReading(std::string_view word,
                                            std::string_view analysed) const {
  auto found = words_.find(std::pair<std::string_view, std::string_view>(word, analysed));
  if (found != words_.end()) return &found->second;
  auto any = any_reading_.find(word);
  return any == any_reading_.end() ? nullptr : &any->second;
}

const std::string* Conventions::ReadingAfter(std::string_view previous,
                                             std::string_view word) const {
  auto found = after_.find(std::pair<std::string_view, std::string_view>(previous, word));
  return found == after_.end() ? nullptr : &found->second;
}

const std::string* Conventions::ReadingBefore(std::string_view word, std::string_view next) const {
  auto found = before_.find(std::pair<std::string_view, std::string_view>(word, next));
  return found == before_.end() ? nullptr : &found->second;
}

const std::string* Conventions::SuffixReading(std::string_view word) const {
  auto found = suffixes_.find(word);
  return found == suffixes_.end() ? nullptr : &found->second;
}

const std::string* Conventions::NumberReading(std::string_view word,
                                              std::string_view digits) const {
  std::string_view key = word;
  if (auto exact = exact_numbers_.find(key); exact != exact_numbers_.end()) {
    auto number = exact->second.find(digits);
    if (number != exact->second.end()) return &number->second;
  }
  auto found = digits_.find(key);
  if (found == digits_.end() || digits.empty() ||
      digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return nullptr;  // 何 and other words that stand for a number are read by the exact list
  }
  // The column of the number's last digit that is not 0, or of its zeros.
  std::size_t zeros = 0;
  while (zeros < digits.size() && digits[digits.size() - 1 - zeros] == '0') ++zeros;
  std::size_t column;
  if (zeros == digits.size()) {
    return nullptr;  // 0 itself
  } else if (zeros == 0) {
    column = static_cast<std::size_t>(digits.back() - '1');
  } else {
    column = 8 + std::min<std::size_t>(zeros, 3);  // 10, 100, 1000 and more
  }
  return &found->second[column];
}

const std::string* Conventions::AloneReading(std::string_view word,
                                             std::string_view analysed) const {
  auto found = alone_.find(std::pair<std::string_view, std::string_view>(word, analysed));
  return found == alone_.end() ? nullptr : &found->second;
}

const std::pair<std::string, std::string>* Conventions::PhraseReading(
    std::string_view first, std::string_view second, std::string_view kanji) const {
  thread_local std::string key;
  key.assign(first).append(1, '\t').append(second).append(1, '\t').append(kanji);
  auto found = phrases_.find(key);
  return found == phrases_.end() ? nullptr : &found->second;
}

const std::string* Conventions::WeekdayReading(std::string_view word) const {
  auto found = weekdays_.find(word);
  return found == weekdays_.end() ? nullptr : &found->second;
}

const std::vector<std::string>* Conventions::CounterReadings(std::string_view kanji) const {
  auto found = counters_.find(kanji);
  return found == counters_.end() ? nullptr : &found->second;
}

}  // namespace engine::context
