// The shown text with random options: the lines kept are lines of the input, in order, never
// more than asked for, never a comment but the last line, and both walks (over split lines and
// straight over the text) agree, the walk over the text in linear time. Each input byte is a
// unit of the text.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/text/TextLines.h"
#include "core/text/TextPipeline.h"

namespace {

constexpr std::array<std::u16string_view, 6> kComments{u"#", u"//", u"  ;  ", u" ", u"", u"rem"};

std::u16string_view TrimControls(std::u16string_view text) {
  while (!text.empty() && text.front() <= 32) text.remove_prefix(1);
  while (!text.empty() && text.back() <= 32) text.remove_suffix(1);
  return text;
}

bool IsComment(std::u16string_view line, std::u16string_view comment) {
  while (!line.empty() && line.front() <= 32) line.remove_prefix(1);
  return !comment.empty() && line.starts_with(comment);
}

// The input's lines as the reader sees them: a NUL ends the text.
std::vector<std::u16string_view> InputLines(std::u16string_view text) {
  text = text.substr(0, text.find(u'\0'));
  std::vector<std::u16string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + (text.substr(end, 2) == u"\r\n" ? 2 : 1);
  }
  return lines;
}

void Check(std::u16string_view bytes, const core::TextOptions& options) {
  const std::vector<std::u16string_view> input = InputLines(bytes);
  std::vector<std::u16string_view> kept = core::SplitLines(bytes);
  FUZZ_CHECK(kept == input);
  const std::u16string text = core::BuildText(kept, options);

  core::TextLines lines{std::u16string(bytes)};
  FUZZ_CHECK(fuzz::InLinearTime(bytes.size(), [&] { return core::BuildText(lines, options); }) ==
             text);
  FUZZ_CHECK(lines.Lines() == kept);

  std::u16string joined;
  for (const std::u16string_view line : kept) joined.append(line).append(u" ");
  FUZZ_CHECK(joined == text);
  FUZZ_CHECK(fuzz::IsSubsequence(kept, input));

  const std::u16string_view comment = options.useComment ? TrimControls(options.commentStr) : u"";
  std::size_t shown = 0;  // lines that are no comment, or the last line
  for (std::size_t i = 0; i < input.size(); ++i) {
    if (!IsComment(input[i], comment) || i + 1 == input.size()) ++shown;
  }
  if (!options.loadFirstLines && !options.loadLastLines) {
    FUZZ_CHECK(kept.size() == shown);
    return;
  }
  const std::size_t wanted = options.linesToLoad < 1 ? 0 : std::size_t(options.linesToLoad);
  FUZZ_CHECK(kept.size() == std::min(wanted, shown));
  for (std::size_t i = 0; i + 1 < kept.size(); ++i) FUZZ_CHECK(!IsComment(kept[i], comment));
  if (options.loadLastLines && !options.loadFirstLines && !kept.empty()) {
    FUZZ_CHECK(kept.back() == input.back());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  core::TextOptions options;
  options.useComment = provider.ConsumeBool();
  options.commentStr = provider.PickValueInArray(kComments);
  options.loadFirstLines = provider.ConsumeBool();
  options.loadLastLines = provider.ConsumeBool();
  options.linesToLoad = provider.ConsumeIntegralInRange(-1, 12);
  const std::string bytes = provider.ConsumeRemainingBytesAsString();
  std::u16string text(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) text[i] = static_cast<unsigned char>(bytes[i]);
  Check(text, options);
  return 0;
}
