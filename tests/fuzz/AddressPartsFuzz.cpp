// Addresses as they leave the program: a link for the shell is a plain URI that escaping again
// leaves as it is, and an address whose split yields a password is never logged as written.

#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/web/PlainUri.h"
#include "core/web/WebAddressParts.h"

namespace {

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void CheckPlainUri(std::string_view link) {
  const std::string uri = core::PlainUri(link);
  for (std::size_t at = 0; at < uri.size(); ++at) {
    const auto c = static_cast<unsigned char>(uri[at]);
    FUZZ_CHECK(c > ' ' && c < 0x7F &&
               std::string_view("\"<>\\^`{|}").find(uri[at]) == std::string_view::npos);
    if (c == '%') FUZZ_CHECK(at + 2 < uri.size() && IsHex(uri[at + 1]) && IsHex(uri[at + 2]));
  }
  FUZZ_CHECK(core::PlainUri(uri) == uri);
}

void CheckParts(std::string_view address) {
  const auto parts = core::SplitWebAddress(address);
  const std::string shown = core::AddressForLog(address);
  if (!parts) return;
  FUZZ_CHECK(!parts->host.empty() && parts->port != 0 && parts->object.starts_with('/'));
  FUZZ_CHECK(parts->object.find('#') == std::string::npos);
  // A password was written in it, so the log's form is another text (unless it reads "***").
  if (!parts->password.empty() && parts->password != "***") FUZZ_CHECK(shown != address);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckPlainUri(text);
  CheckParts(text);
  return 0;
}
