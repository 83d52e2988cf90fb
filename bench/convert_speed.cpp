// Measures the ruby-file conversions on a generated 10 MB ruby file: the HTML ruby page, the
// pass-through page, YMI and NNN, each from the file on disk to its output file. Prints MB/s
// (1 MB = 1,000,000 bytes).
//
//   cmake --build BUILD --target convert_speed && BUILD/rubywindow/convert_speed [FOLDER]
//
// The ruby file and the outputs are written to FOLDER (a fresh temporary folder when omitted).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "common/encoding/cp932.h"
#include "common/messenger.h"
#include "common/settings/settings.h"
#include "common/encoding/text_file.h"
#include "common/encoding/text_source.h"
#include "rubywindow/nnn_writer.h"
#include "rubywindow/pass_through_page.h"
#include "rubywindow/ruby_page.h"
#include "rubywindow/ymi_writer.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTextBytes = 10'000'000;

class QuietMessenger : public common::Messenger {
 public:
  void Tell(const common::Message& message) override {
    std::fprintf(stderr, "%s: %s\n", message.title.c_str(), message.text.c_str());
  }
  common::Answer Ask(const common::Message& message, common::Buttons) override {
    Tell(message);
    return common::Answer::kCancel;
  }
  void SetProgress(std::string_view) override {}
};

// Comma-separated records of ruby groups and plain words, as line-and-field ruby leaves them.
std::string MakeRubyText() {
  const std::string groups[] = {common::Sjis("{漢字/かんじ}"), common::Sjis("{平和/へいわ}"),
                                common::Sjis("{人/ひと|にん}"), common::Sjis("{花/はな}")};
  const std::string plain[] = {common::Sjis("です"), common::Sjis("が咲く"), "abc",
                               common::Sjis("＋")};
  std::mt19937 random(1);
  std::string text;
  text.reserve(kTextBytes + 256);
  while (text.size() < kTextBytes) {
    for (int field = 0; field < 4; ++field) {
      for (int piece = 0; piece < 3; ++piece) {
        text += groups[random() % 4];
        text += plain[random() % 4];
      }
      text += field < 3 ? "," : "\r\n";
    }
  }
  return text;
}

void Measure(const char* label, const std::function<bool()>& run) {
  auto start = std::chrono::steady_clock::now();
  bool ok = run();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-22s %7.3f s  %8.1f MB/s%s\n", label, seconds, kTextBytes / 1e6 / seconds,
              ok ? "" : "  (FAILED)");
}

}  // namespace

int main(int argc, char** argv) {
  fs::path folder;
  if (argc > 1) {
    folder = argv[1];
    fs::create_directories(folder);
  } else {
    std::string pattern = (fs::temp_directory_path() / "convert-speed-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return 1;
    folder = pattern;
  }
  fs::path document = folder / "bench.lrb";
  if (!common::WriteBinaryFile(document, MakeRubyText())) return 1;
  auto source = common::FileTextSource::Open(document);
  if (!source) return 1;
  std::printf("ruby file: %zu bytes\n", source->Size());

  QuietMessenger messenger;
  common::Settings settings;
  rubywindow::YmiOptions ymi = rubywindow::YmiOptionsOf(settings);
  ymi.range_mode = 2;  // every field from the first
  ymi.to_hiragana = true;
  Measure("html (detailed)", [&] {
    return common::IsOk(rubywindow::WriteRubyPage(
        document, *source, rubywindow::HtmlPageSettingsOf(settings), messenger));
  });
  Measure("html (pass-through)", [&] {
    return common::IsOk(rubywindow::WritePassThroughPage(document, *source, messenger));
  });
  Measure("ymi",
          [&] { return common::IsOk(rubywindow::WriteYmi(document, *source, ymi, messenger)); });
  Measure("nnn", [&] {
    return common::IsOk(
        rubywindow::WriteNnn(document, *source, rubywindow::NnnOptionsOf(settings), messenger));
  });
  if (argc <= 1) fs::remove_all(folder);
  return 0;
}
