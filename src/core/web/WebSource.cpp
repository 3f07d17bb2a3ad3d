#include "core/web/WebSource.h"

#include <algorithm>
#include <cctype>

namespace core {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text) {
  const size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

bool SameVersion(const Validators& kept, const Validators& seen) {
  if (!kept.etag.empty() && !seen.etag.empty()) return kept.etag == seen.etag;
  return !kept.lastModified.empty() && kept.lastModified == seen.lastModified;
}

}  // namespace

std::optional<std::string_view> HeaderValue(std::string_view rawHeaders, std::string_view name) {
  while (!rawHeaders.empty()) {
    const size_t end = rawHeaders.find_first_of("\r\n");
    const std::string_view line = rawHeaders.substr(0, end);
    rawHeaders.remove_prefix(end == std::string_view::npos ? rawHeaders.size() : end + 1);
    const size_t colon = line.find(':');
    if (colon != std::string_view::npos && EqualsIgnoringCase(line.substr(0, colon), name)) {
      return Trimmed(line.substr(colon + 1));
    }
  }
  return std::nullopt;
}

std::optional<int> StatusOf(std::string_view rawHeaders) {
  // "HTTP/" major ["." minor] " " three digits, then a blank or the end of the line.
  if (rawHeaders.substr(0, 5) != "HTTP/") return std::nullopt;
  size_t at = 5;
  const auto digits = [&] {
    const size_t start = at;
    while (at < rawHeaders.size() && IsDigit(rawHeaders[at])) ++at;
    return at > start;
  };
  if (!digits()) return std::nullopt;
  if (at < rawHeaders.size() && rawHeaders[at] == '.') {
    ++at;
    if (!digits()) return std::nullopt;
  }
  if (rawHeaders.substr(5, at - 5) == "0.9") return std::nullopt;
  if (at + 4 > rawHeaders.size() || rawHeaders[at] != ' ') return std::nullopt;
  const std::string_view code = rawHeaders.substr(at + 1, 3);
  if (!std::all_of(code.begin(), code.end(), IsDigit)) return std::nullopt;
  const size_t lineEnd = std::min(rawHeaders.find_first_of("\r\n", at + 4), rawHeaders.size());
  if (lineEnd != at + 4 && rawHeaders[at + 4] != ' ') return std::nullopt;
  // A header block ends each of its lines; a minimal server may send no field after the first.
  if (lineEnd == rawHeaders.size()) return std::nullopt;
  return (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
}

std::string LastModifiedOf(std::string_view rawHeaders) {
  while (!rawHeaders.empty()) {
    const size_t end = rawHeaders.find_first_of("\r\n");
    const std::string_view line = rawHeaders.substr(0, end);
    rawHeaders.remove_prefix(end == std::string_view::npos ? rawHeaders.size() : end + 1);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos ||
        !EqualsIgnoringCase(line.substr(0, colon), "Last-Modified")) {
      continue;
    }
    std::string value(line.substr(colon + 1));
    std::replace(value.begin(), value.end(), ':', '=');
    return value;
  }
  return {};
}

std::uint64_t BodyHash(std::string_view body) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const char c : body) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash == 0 ? 1 : hash;
}

Validators ValidatorsOf(std::string_view rawHeaders) {
  return {std::string(HeaderValue(rawHeaders, "Last-Modified").value_or("")),
          std::string(HeaderValue(rawHeaders, "ETag").value_or(""))};
}

std::string ConditionalHeaders(const WebRequest& request) {
  if (request.forced) return {};
  std::string headers;
  const Validators& kept = request.validators;
  if (!kept.lastModified.empty()) headers += "If-Modified-Since: " + kept.lastModified + "\r\n";
  if (!kept.etag.empty()) headers += "If-None-Match: " + kept.etag + "\r\n";
  return headers;
}

WebAnswer AnswerTo(const WebRequest& request, std::optional<int> status, const Validators& seen) {
  if (!status) return WebAnswer::Failed;
  if (*status == 304) {
    return ConditionalHeaders(request).empty() ? WebAnswer::Failed : WebAnswer::Unchanged;
  }
  if (*status < 200 || *status > 299) return WebAnswer::Failed;
  if (request.forced || !SameVersion(request.validators, seen)) return WebAnswer::NewText;
  return WebAnswer::Unchanged;
}

WebRequest WebSourceState::NextRequest(const std::string& address) {
  if (address != address_) {
    address_ = address;
    validators_ = {};
  }
  WebRequest request{address_, validators_, forced_};
  forced_ = false;
  return request;
}

void WebSourceState::Finished(const WebResult& result) {
  if (result.address != address_) return;
  if (result.status == WebStatus::NewLines) validators_ = result.validators;
  if (result.status == WebStatus::Failed && result.forced) forced_ = true;
}

bool ResultStillWanted(const WebResult& result, bool useFileUrl, const std::string& fileUrl) {
  return useFileUrl && result.address == fileUrl;
}

}  // namespace core
