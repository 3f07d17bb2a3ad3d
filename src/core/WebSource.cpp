#include "core/WebSource.h"

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

}  // namespace

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

bool ShouldDownload(const WebRequest& request, const std::optional<std::string>& seen) {
  return request.forced || !seen || seen->empty() || *seen != request.lastModified;
}

WebRequest WebSourceState::NextRequest(const std::string& address) {
  if (address != address_) {
    address_ = address;
    lastModified_.clear();
  }
  WebRequest request{address_, lastModified_, forced_};
  forced_ = false;
  return request;
}

void WebSourceState::Finished(const WebResult& result) {
  if (result.address != address_) return;
  if (result.status == WebStatus::NewLines) lastModified_ = result.lastModified;
  if (result.status == WebStatus::Failed && result.forced) forced_ = true;
}

bool ResultStillWanted(const WebResult& result, bool useFileUrl, const std::string& fileUrl) {
  return useFileUrl && result.address == fileUrl;
}

}  // namespace core
