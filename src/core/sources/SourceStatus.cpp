#include "core/sources/SourceStatus.h"

#include <array>
#include <utility>

namespace core {
namespace {

// The words of a status an HTTP server answered with.
std::string PlainStatus(int status) {
  const std::string code = " (" + std::to_string(status) + ")";
  if (status == 404 || status == 410) return "not found" + code;
  if (status == 401 || status == 403) return "refused" + code;
  if (status == 429 || status == 503) return "busy" + code;
  return "server error" + code;
}

}  // namespace

std::string PlainFailure(std::string_view error) {
  constexpr std::string_view kStatus = "HTTP status ";
  if (const auto at = error.find(kStatus); at != std::string_view::npos) {
    int status = 0;
    for (std::size_t i = at + kStatus.size();
         i < error.size() && error[i] >= '0' && error[i] <= '9'; ++i) {
      status = status * 10 + (error[i] - '0');
    }
    return PlainStatus(status);
  }
  // The first of these the log text holds names the failure.
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kWords{{
      {"took longer than", "no answer in time"},
      {"too large", "too large"},
      {"larger than", "too large"},
      {"redirect loop", "redirects in a circle"},
      {"redirects from", "too many redirects"},
      {"not a web address", "redirected away from the web"},
      {"Cannot open URL", "cannot connect"},
      {"Cannot read URL", "broken off"},
      {"Feed: cannot read", "not a feed"},
      {"is missing", "file missing"},
  }};
  for (const auto& [part, words] : kWords) {
    if (error.find(part) != std::string_view::npos) return std::string(words);
  }
  if (error.find("source list") != std::string_view::npos) return "a list, not followed";
  return "failed";
}

}  // namespace core
