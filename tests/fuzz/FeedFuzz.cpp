// The feed reader over anything a server may send, sloppy feeds repaired: every headline is one
// line of text with no control characters (angle brackets may stay: a plain-text title or an
// escaped "&lt;" shows them), every link kept is an http or https address, and the headlines
// become exactly one shown line each. Code pages without a table in core go to a
// stand-in for the system's conversion; every read takes linear time.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/feed/FeedEncoding.h"
#include "core/feed/FeedReader.h"
#include "core/text/TextEncoding.h"
#include "core/text/TextLines.h"
#include "core/web/WebAddress.h"

namespace {

using Kind = core::TextEncoding::Kind;

constexpr std::array<std::string_view, 4> kAddresses{
    "https://news.example/feed/", "", "ftp://files.example/a/b", "http://a/b/c/d;p?q"};
constexpr std::array<std::string_view, 3> kSeparators{"  +++  ", "", " \r\n| "};

// The system's conversion: each byte above 127 a Cyrillic letter (two bytes in UTF-8), roughly
// as windows-1251 has them; code page 1258 it cannot convert.
std::optional<std::string> SystemStandIn(std::string_view bytes, unsigned codePage) {
  if (codePage == 1258) return std::nullopt;
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      core::AppendUtf8(out, 0x0400 + (byte - 0x80));
    }
  }
  return out;
}

enum class Separators { Allowed, Refused };

// C0 controls and DEL as bytes, C1 controls (U+0080 to U+009F) and, in a line of text, the
// line and paragraph separators as UTF-8.
bool HoldsControl(std::string_view text, Separators separators = Separators::Refused) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) return true;
    const std::string_view rest = text.substr(i);
    const auto next = rest.size() >= 2 ? static_cast<unsigned char>(rest[1]) : 0;
    if (c == 0xC2 && next >= 0x80 && next < 0xA0) return true;
    if (separators == Separators::Allowed) continue;
    if (rest.starts_with("\xE2\x80\xA8") || rest.starts_with("\xE2\x80\xA9")) return true;
  }
  return false;
}

bool IsHttpOrHttps(std::string_view link) {
  std::string scheme(link.substr(0, 8));
  for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return scheme.starts_with("http://") || scheme.starts_with("https://");
}

std::optional<core::TextEncoding> Charset(int choice) {
  switch (choice) {
    case 1: return core::TextEncoding{Kind::Utf8, 0, 0};
    case 2: return core::TextEncoding{Kind::CodePage, 28591, 0};
    case 3: return core::TextEncoding{Kind::CodePage, 1252, 0};
    case 4: return core::TextEncoding{Kind::Utf16LE, 0, 0};
    case 5: return core::TextEncoding{Kind::CodePage, 1251, 0};
    case 6: return core::TextEncoding{Kind::CodePage, 1258, 0};
    default: return std::nullopt;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::optional<core::TextEncoding> charset = Charset(provider.ConsumeIntegralInRange(0, 6));
  const std::string_view address = provider.PickValueInArray(kAddresses);
  const std::string_view separator = provider.PickValueInArray(kSeparators);
  const std::string bytes = provider.ConsumeRemainingBytesAsString();

  const core::FeedReading reading = fuzz::InLinearTime(
      bytes.size(), [&] { return core::ReadFeed(bytes, charset, address, SystemStandIn); });
  if (reading.outcome == core::FeedOutcome::Broken) {
    FUZZ_CHECK(!reading.error.empty() && reading.errorOffset <= bytes.size());
  }
  if (reading.outcome != core::FeedOutcome::Feed) {
    FUZZ_CHECK(reading.items.empty() && reading.repairs == 0);
    return 0;
  }
  for (const core::FeedItem& item : reading.items) {
    FUZZ_CHECK(!item.text.empty());
    FUZZ_CHECK(!HoldsControl(item.text));
    FUZZ_CHECK(item.text.front() != ' ' && item.text.back() != ' ');
    if (!item.link.empty()) {
      FUZZ_CHECK(IsHttpOrHttps(item.link) && core::IsWebAddress(item.link));
      FUZZ_CHECK(!HoldsControl(item.link, Separators::Allowed));
    }
  }
  core::TextLines lines(core::FeedLineText(reading.items, core::Utf16OfUtf8(separator)));
  FUZZ_CHECK(lines.Lines().size() == reading.items.size());
  for (const core::FeedItem& item : reading.items) {
    const std::string cut = core::CutAtWord(item.text, 40);
    FUZZ_CHECK(cut.size() <= item.text.size() && item.text.starts_with(cut));
    FUZZ_CHECK(core::IsValidUtf8(cut) || !core::IsValidUtf8(item.text));
  }
  return 0;
}
