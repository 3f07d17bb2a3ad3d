#include "core/web/WebAddressParts.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace core {
namespace {

constexpr std::string_view kEndsAuthority = "/?#";

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return a == std::tolower(static_cast<unsigned char>(b));
         });
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const int lower = std::tolower(static_cast<unsigned char>(c));
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const int high = at + 2 < text.size() && text[at] == '%' ? HexValue(text[at + 1]) : -1;
    const int low = high >= 0 ? HexValue(text[at + 2]) : -1;
    if (low < 0) {
      out += text[at];
      continue;
    }
    out += static_cast<char>(high * 16 + low);
    at += 2;
  }
  return out;
}

// The address as written, cut into its pieces: views into it.
struct RawParts {
  bool secure = false;
  std::optional<std::string_view> userInfo;  // before the "@"
  std::string_view hostAndPort;
  std::string_view rest;  // path, query and fragment
};

std::optional<RawParts> RawPartsOf(std::string_view address) {
  RawParts raw;
  std::size_t start = 0;
  if (StartsWithNoCase(address, "http://")) {
    start = 7;
  } else if (StartsWithNoCase(address, "https://")) {
    raw.secure = true;
    start = 8;
  } else {
    return std::nullopt;
  }
  const std::string_view after = address.substr(start);
  std::size_t end = std::min(after.find_first_of(kEndsAuthority), after.size());
  std::size_t at = after.substr(0, end).rfind('@');
  const std::size_t colon = after.substr(0, end).find(':');
  const bool portless = colon == std::string_view::npos || after.starts_with('[');
  if (at == std::string_view::npos && !portless &&
      !AllDigits(after.substr(colon + 1, end - colon - 1))) {
    // Not a port but a password holding "/", "?" or "#": it ends at an "@" further on.
    const std::size_t first = after.find('@', end);
    if (first != std::string_view::npos) {
      end = std::min(after.find_first_of(kEndsAuthority, first), after.size());
      at = after.rfind('@', end - 1);
    }
  }
  const std::size_t host = at == std::string_view::npos ? 0 : at + 1;
  if (host > 0) raw.userInfo = after.substr(0, at);
  raw.hostAndPort = after.substr(host, end - host);
  raw.rest = after.substr(end);
  return raw;
}

// Host and port of "host", "host:81", "[::1]" or "[::1]:81"; false when they are no such thing.
bool ReadHostAndPort(std::string_view text, bool secure, WebAddressParts& parts) {
  std::string_view port;
  if (text.starts_with('[')) {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) return false;
    parts.host = text.substr(1, close - 1);
    port = text.substr(close + 1);
    if (!port.empty() && !port.starts_with(':')) return false;
    port = port.substr(std::min<std::size_t>(1, port.size()));
  } else {
    const std::size_t colon = std::min(text.find(':'), text.size());
    parts.host = text.substr(0, colon);
    port = text.substr(std::min(colon + 1, text.size()));
  }
  if (parts.host.empty() || !AllDigits(port) || port.size() > 5) return false;
  const unsigned number =
      port.empty() ? (secure ? 443U : 80U)
                   : std::accumulate(port.begin(), port.end(), 0U, [](unsigned value, char digit) {
                       return value * 10 + static_cast<unsigned>(digit - '0');
                     });
  if (number == 0 || number > 65535) return false;
  parts.port = static_cast<std::uint16_t>(number);
  return true;
}

}  // namespace

std::optional<WebAddressParts> SplitWebAddress(std::string_view address) {
  const std::optional<RawParts> raw = RawPartsOf(address);
  if (!raw) return std::nullopt;
  WebAddressParts parts;
  parts.secure = raw->secure;
  if (!ReadHostAndPort(raw->hostAndPort, raw->secure, parts)) return std::nullopt;
  if (raw->userInfo) {
    const std::string_view userInfo = *raw->userInfo;
    const std::size_t colon = userInfo.find(':');
    parts.user = PercentDecoded(userInfo.substr(0, colon));
    if (colon != std::string_view::npos) {
      parts.password = PercentDecoded(userInfo.substr(colon + 1));
    }
  }
  const std::string_view object = raw->rest.substr(0, raw->rest.find('#'));
  parts.object.assign(object.starts_with('/') ? 0 : 1, '/');
  parts.object.append(object);
  return parts;
}

std::string AddressForLog(std::string_view url) {
  const std::optional<RawParts> raw = RawPartsOf(url);
  if (!raw || !SplitWebAddress(url)) {
    const std::size_t at = url.rfind('@');
    if (at == std::string_view::npos) return std::string(url);
    const std::size_t scheme = url.find("://");
    const std::string_view kept = scheme < at ? url.substr(0, scheme + 3) : std::string_view();
    return std::string(kept) + "***" + std::string(url.substr(at));
  }
  if (!raw->userInfo) return std::string(url);
  const std::size_t colon = raw->userInfo->find(':');
  if (colon == std::string_view::npos) return std::string(url);
  // Everything but the password, as written.
  const auto passwordStart =
      static_cast<std::size_t>(raw->userInfo->data() - url.data()) + colon + 1;
  const std::size_t passwordEnd = passwordStart + raw->userInfo->size() - colon - 1;
  return std::string(url.substr(0, passwordStart)) + "***" + std::string(url.substr(passwordEnd));
}

}  // namespace core
