// The web source's raw header block and Content-Type: the values found are pieces of the
// headers, only a real 2xx status gives text, the validators kept make the same answer
// unchanged, and a charset gives only encodings the bar converts.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/text/TextEncoding.h"
#include "core/web/WebSchedule.h"
#include "core/web/WebSource.h"

namespace {

using Kind = core::TextEncoding::Kind;

// The block as the log shows it: every ":" turned into "=".
std::string AsLogged(std::string_view headers) {
  std::string logged(headers);
  std::replace(logged.begin(), logged.end(), ':', '=');
  return logged;
}

void CheckLastModified(std::string_view headers) {
  const std::string value = core::LastModifiedOf(headers);
  FUZZ_CHECK(value.find_first_of("\r\n:") == std::string::npos);
  FUZZ_CHECK(AsLogged(headers).find(value) != std::string::npos);
  // The value ends its line, right after a "Last-Modified:" at the line's start.
  const std::string logged = AsLogged(headers);
  if (!value.empty()) {
    std::size_t at = logged.find(value);
    bool found = false;
    for (; at != std::string::npos && !found; at = logged.find(value, at + 1)) {
      const std::size_t end = at + value.size();
      const bool endsLine = end == logged.size() || logged[end] == '\r' || logged[end] == '\n';
      const std::size_t name = at >= 14 ? at - 14 : std::string::npos;
      found = endsLine && name != std::string::npos &&
              (name == 0 || logged[name - 1] == '\r' || logged[name - 1] == '\n');
    }
    FUZZ_CHECK(found);
  }

  // The validators found are pieces of the headers; a download keeps them, and the next check
  // asks with them, so the same answer again is unchanged.
  const core::Validators seen = core::ValidatorsOf(headers);
  FUZZ_CHECK(seen.lastModified.empty() ||
             headers.find(seen.lastModified) != std::string_view::npos);
  FUZZ_CHECK(seen.etag.empty() || headers.find(seen.etag) != std::string_view::npos);
  core::WebSourceState state;
  const core::WebRequest first = state.NextRequest("http://127.0.0.1/news.txt");
  FUZZ_CHECK(core::ConditionalHeaders(first).empty());
  const std::optional<int> status = core::StatusOf(headers);
  const core::WebAnswer answer = core::AnswerTo(first, status, seen);
  // Only a real 2xx status line gives text.
  FUZZ_CHECK(answer != core::WebAnswer::NewText || (status && *status >= 200 && *status < 300));
  if (const auto wait = core::RetryAfterMs(headers, 1'800'000'000)) FUZZ_CHECK(*wait >= 0);
  if (answer != core::WebAnswer::NewText) return;
  core::WebResult result;
  result.status = core::WebStatus::NewLines;
  result.address = first.address;
  result.validators = seen;
  state.Finished(result);
  const core::WebRequest second = state.NextRequest(first.address);
  FUZZ_CHECK(second.validators == seen);
  const bool kept = !seen.lastModified.empty() || !seen.etag.empty();
  FUZZ_CHECK(core::AnswerTo(second, status, seen) ==
             (kept ? core::WebAnswer::Unchanged : core::WebAnswer::NewText));
}

void CheckContentType(std::string_view contentType) {
  const auto encoding = core::EncodingOfContentType(contentType);
  if (!encoding) return;
  FUZZ_CHECK(encoding->markLength == 0);
  if (encoding->kind == Kind::CodePage) {
    FUZZ_CHECK(encoding->codePage == 28591 ||
               (encoding->codePage >= 1250 && encoding->codePage <= 1258));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view headers(reinterpret_cast<const char*>(data), size);
  CheckLastModified(headers);
  CheckContentType(headers);
  return 0;
}
