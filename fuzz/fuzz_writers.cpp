// Any ruby text through the HTML ruby page, the pass-through page, YMI and NNN, with random
// templates and options.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/notation/field_entry.h"
#include "common/encoding/text_source.h"
#include "fuzz/fuzz_support.h"
#include "rubywindow/html_page_settings.h"
#include "rubywindow/nnn_writer.h"
#include "rubywindow/output_sink.h"
#include "rubywindow/pass_through_page.h"
#include "rubywindow/ruby_page.h"
#include "rubywindow/ymi_options.h"
#include "rubywindow/ymi_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  rubywindow::HtmlPageSettings page;
  page.detailed = input.Bool();
  page.alignment = input.Int16();
  page.font_size = input.Int16();
  page.line_height = input.Int16();
  page.line_break_marks = input.Bool();
  page.page_break_marks = input.Bool();

  rubywindow::YmiOptions ymi;
  ymi.first_field = input.Int16();
  ymi.last_field = input.Int16();
  ymi.range_mode = input.Int16();
  ymi.line_field_first = input.Int16();
  ymi.line_field_last = input.Int16();
  ymi.warn_markers = input.Bool();
  ymi.to_hiragana = input.Bool();
  ymi.part_mode = input.Byte() % 3;
  ymi.mark_handling = input.Byte() % 3;
  ymi.template_text = std::string(input.Field());
  ymi.line_head_mark = std::string(input.Field());
  ymi.separator_edit = std::string(input.Field());

  rubywindow::NnnOptions nnn;
  nnn.font_size = input.Int16();
  nnn.template_text = std::string(input.Field());
  nnn.font_name = std::string(input.Field());
  page.font_name = nnn.font_name;

  common::StringTextSource text(input.Rest());
  std::string bytes;
  {
    rubywindow::OutputSink out(bytes);
    rubywindow::RenderRubyPage(text, "a.srb", page, out);
  }
  bytes.clear();
  {
    rubywindow::OutputSink out(bytes);
    rubywindow::RenderPassThroughPage(text, out);
  }
  bytes.clear();
  {
    rubywindow::OutputSink out(bytes);
    rubywindow::RenderYmi(text, ymi, out);
  }
  bytes.clear();
  {
    rubywindow::OutputSink out(bytes);
    rubywindow::RenderNnn(text, nnn, out);
  }
  (void)rubywindow::NnnPreview(nnn);
  (void)common::SeparatorByteOf(ymi.separator_edit);
  (void)rubywindow::ExpandTabMarks(ymi.template_text);
  return 0;
}
