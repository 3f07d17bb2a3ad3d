// The shown text with random options: the lines kept are lines of the input, in order, never
// more than asked for, never a comment but the last line, and both walks (over split lines and
// straight over the bytes) agree, the walk over the bytes in linear time.

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

constexpr std::array<std::string_view, 6> kComments{"#", "//", "  ;  ", " ", "", "rem"};

std::string_view TrimControls(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  return text;
}

bool IsComment(std::string_view line, std::string_view comment) {
  while (!line.empty() && static_cast<unsigned char>(line.front()) <= 32) line.remove_prefix(1);
  return !comment.empty() && line.starts_with(comment);
}

// The input's lines as the reader sees them: a NUL ends the text.
std::vector<std::string_view> InputLines(std::string_view bytes) {
  return fuzz::Lines(bytes.substr(0, bytes.find('\0')));
}

void Check(std::string_view bytes, const core::TextOptions& options) {
  const std::vector<std::string_view> input = InputLines(bytes);
  std::vector<std::string_view> kept = core::SplitLines(bytes);
  FUZZ_CHECK(kept == input);
  const std::string text = core::BuildText(kept, options);

  core::TextLines lines{std::string(bytes)};
  FUZZ_CHECK(fuzz::InLinearTime(bytes.size(), [&] { return core::BuildText(lines, options); }) ==
             text);
  FUZZ_CHECK(lines.Lines() == kept);

  std::string joined;
  for (const std::string_view line : kept) joined.append(line).append(" ");
  FUZZ_CHECK(joined == text);
  FUZZ_CHECK(fuzz::IsSubsequence(kept, input));

  const std::string_view comment = options.useComment ? TrimControls(options.commentStr) : "";
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
  Check(bytes, options);
  return 0;
}
