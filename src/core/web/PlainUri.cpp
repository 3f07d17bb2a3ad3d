#include "core/web/PlainUri.h"

#include <cctype>

namespace core {
namespace {

bool IsHexDigit(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool KeptAsItIs(unsigned char c) {
  static constexpr std::string_view kUnsafe = "\"<>\\^`{|}%";
  return c > ' ' && c < 0x7F && kUnsafe.find(static_cast<char>(c)) == std::string_view::npos;
}

}  // namespace

std::string PlainUri(std::string_view link) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri;
  uri.reserve(link.size());
  for (std::size_t at = 0; at < link.size(); ++at) {
    const auto c = static_cast<unsigned char>(link[at]);
    const bool escape =
        c == '%' && at + 2 < link.size() && IsHexDigit(link[at + 1]) && IsHexDigit(link[at + 2]);
    if (escape || KeptAsItIs(c)) {
      uri += static_cast<char>(c);
      continue;
    }
    uri += '%';
    uri += kHex[c >> 4];
    uri += kHex[c & 0x0F];
  }
  return uri;
}

}  // namespace core
