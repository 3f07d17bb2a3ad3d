// Web addresses in plain text, and the table of the shown lines' links: the address found is
// the first one a plain reading of the rules finds, each line's link in the table is the one in
// the line, and finding them takes linear time, whatever the text (a hover looks them up).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/feed/LinkHitTest.h"
#include "core/text/TextDecoding.h"
#include "core/text/TextLines.h"
#include "core/web/WebAddress.h"

namespace {

// Beyond this, the plain reading (which reads the rest of the line for each candidate) is too
// slow to run on every input.
constexpr std::size_t kPlainReadingUpTo = 4096;

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    const char c =
        text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != start[i]) return false;
  }
  return true;
}

// The first address, read the plain way: at each "http://" or "https://", the address up to a
// blank, a control character, a quote or an angle bracket, less the punctuation that ends a
// sentence; the first of them that is a web address.
std::string PlainFirstAddress(std::string_view line) {
  for (std::size_t at = 0; at < line.size(); ++at) {
    const std::string_view rest = line.substr(at);
    if (!StartsWithNoCase(rest, "http://") && !StartsWithNoCase(rest, "https://")) continue;
    std::size_t end = 0;
    while (end < rest.size()) {
      const auto c = static_cast<unsigned char>(rest[end]);
      if (c <= 0x20 || c == 0x7F || c == '"' || c == '<' || c == '>') break;
      ++end;
    }
    while (end > 0 &&
           std::string_view(".,;:!?)]}'").find(rest[end - 1]) != std::string_view::npos) {
      --end;
    }
    if (core::IsWebAddress(rest.substr(0, end))) return std::string(rest.substr(0, end));
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::string base = provider.ConsumeRandomLengthString(64);
  const std::string text = provider.ConsumeRemainingBytesAsString();

  const std::string_view first =
      fuzz::InLinearTime(text.size(), [&] { return core::FirstWebAddress(text); });
  if (!first.empty()) FUZZ_CHECK(core::IsWebAddress(first));
  if (text.size() <= kPlainReadingUpTo) FUZZ_CHECK(first == PlainFirstAddress(text));

  const std::string resolved =
      fuzz::InLinearTime(text.size(), [&] { return core::ResolveAddress(base, text); });
  if (core::IsWebAddress(text)) FUZZ_CHECK(resolved == text);

  // Each byte a unit of the shown text.
  std::u16string shown(text.size(), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) shown[i] = static_cast<unsigned char>(text[i]);
  core::TextLines lines{std::move(shown)};
  const core::ItemTable table = fuzz::InLinearTime(text.size(), [&] {
    return core::ItemTable(lines.Lines(), [&](std::u16string_view line) {
      return core::ItemTable::LineLink{lines.LinkOf(line), line.size()};
    });
  });
  std::size_t joined = 0;
  for (const std::u16string_view line : lines.Lines()) {
    const std::string_view link = table.OfPiece(line);
    const std::u16string_view address = core::FirstWebAddress(line);
    FUZZ_CHECK(link == core::Utf8OfUtf16(address));
    if (!address.empty()) FUZZ_CHECK(core::IsWebAddress(link));
    if (!line.empty()) FUZZ_CHECK(table.AtPosition(joined + line.size() - 1) == link);
    FUZZ_CHECK(table.AtPosition(joined + line.size()).empty());
    joined += line.size() + 1;
  }
  FUZZ_CHECK(table.TextSize() == joined);
  return 0;
}
