#include "core/web/WebAddress.h"

#include <algorithm>
#include <cctype>
#include <type_traits>

namespace core {
namespace {

bool IsSchemeChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' || c == '.';
}

// Length of the scheme (without ":"), 0 when the reference has none.
std::size_t SchemeLength(std::string_view address) {
  if (address.empty() || std::isalpha(static_cast<unsigned char>(address[0])) == 0) return 0;
  std::size_t at = 1;
  while (at < address.size() && IsSchemeChar(address[at])) ++at;
  return at < address.size() && address[at] == ':' ? at : 0;
}

template <class Char>
Char LowerAscii(Char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// `start` in lower case ASCII.
template <class Char>
bool StartsWithNoCase(std::basic_string_view<Char> text, std::string_view start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(),
                    [](char a, Char b) { return static_cast<Char>(a) == LowerAscii(b); });
}

struct Parts {
  std::string_view scheme;     // with its ":"
  std::string_view authority;  // with its "//", or empty
  std::string_view path;
  std::string_view query;  // with its "?", or empty
};

Parts Split(std::string_view address) {
  Parts parts;
  const std::size_t fragment = address.find('#');
  address = address.substr(0, fragment);
  const std::size_t scheme = SchemeLength(address);
  if (scheme > 0) parts.scheme = address.substr(0, scheme + 1);
  address.remove_prefix(parts.scheme.size());
  if (address.starts_with("//")) {
    const std::size_t end = std::min(address.find_first_of("/?", 2), address.size());
    parts.authority = address.substr(0, end);
    address.remove_prefix(end);
  }
  const std::size_t query = std::min(address.find('?'), address.size());
  parts.path = address.substr(0, query);
  parts.query = address.substr(query);
  return parts;
}

std::string RemoveDotSegments(std::string_view path) {
  std::string out;
  while (!path.empty()) {
    if (path.starts_with("../")) {
      path.remove_prefix(3);
    } else if (path.starts_with("./") || path.starts_with("/./")) {
      path.remove_prefix(2);
    } else if (path == "/.") {
      path = "/";
    } else if (path.starts_with("/../") || path == "/..") {
      path = path.size() == 3 ? std::string_view("/") : path.substr(3);
      const std::size_t last = out.rfind('/');
      out.erase(last == std::string::npos ? 0 : last);
    } else if (path == "." || path == "..") {
      path = {};
    } else {
      const std::size_t next = std::min(path.find('/', 1), path.size());
      out.append(path.substr(0, next));
      path.remove_prefix(next);
    }
  }
  return out;
}

// True for an http:// or https:// address whose host starts with a character other than "/".
template <class Char>
bool HasHost(std::basic_string_view<Char> address) {
  std::size_t hostStart = 0;
  if (StartsWithNoCase(address, "http://")) {
    hostStart = 7;
  } else if (StartsWithNoCase(address, "https://")) {
    hostStart = 8;
  } else {
    return false;
  }
  return hostStart < address.size() && address[hostStart] != '/';
}

// The offset of the first control character (C0, DEL, or C1), the size when none.
std::size_t OffsetOfControl(std::string_view address) {
  for (std::size_t at = 0; at < address.size(); ++at) {
    const auto c = static_cast<unsigned char>(address[at]);
    if (c < 0x20 || c == 0x7F) return at;
    // C1 controls (NEL among them) in UTF-8, as a feed's xml:base may carry them.
    const auto next = at + 1 < address.size() ? static_cast<unsigned char>(address[at + 1]) : 0;
    if (c == 0xC2 && next >= 0x80 && next <= 0x9F) return at;
  }
  return address.size();
}

std::size_t OffsetOfControl(std::u16string_view address) {
  for (std::size_t at = 0; at < address.size(); ++at) {
    const char16_t c = address[at];
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return at;
  }
  return address.size();
}

// Up to a blank, a control character, a quote or an angle bracket.
template <class Char>
bool MayBeInAddress(Char c) {
  const auto unit = static_cast<std::make_unsigned_t<Char>>(c);
  return unit > 0x20 && unit != 0x7F && c != '"' && c != '<' && c != '>';
}

template <class Char>
bool EndsASentence(Char c) {
  return static_cast<std::make_unsigned_t<Char>>(c) < 0x80 &&
         std::string_view(".,;:!?)]}'").find(static_cast<char>(c)) != std::string_view::npos;
}

template <class Char>
std::basic_string_view<Char> FirstWebAddressIn(std::basic_string_view<Char> line) {
  // Every candidate in a run of characters that may be in an address ends where the run ends,
  // and fails at the first control character after it: both are searched for once per run.
  std::size_t runEnd = 0;
  std::size_t control = 0;
  for (std::size_t at = 0; at < line.size(); ++at) {
    const std::basic_string_view<Char> rest = line.substr(at);
    if (!StartsWithNoCase(rest, "http://") && !StartsWithNoCase(rest, "https://")) continue;
    if (at >= runEnd) {
      runEnd = at;
      while (runEnd < line.size() && MayBeInAddress(line[runEnd])) ++runEnd;
      while (EndsASentence(line[runEnd - 1])) --runEnd;
      control = at;
    }
    const std::basic_string_view<Char> address = line.substr(at, runEnd - at);
    if (!HasHost(address)) continue;
    if (control < at) control = at;
    if (control == at) control = at + OffsetOfControl(address);
    if (control >= runEnd) return address;
  }
  return {};
}

}  // namespace

std::string ResolveAddress(std::string_view base, std::string_view reference) {
  if (SchemeLength(reference) > 0 || SchemeLength(base) == 0) return std::string(reference);
  const Parts from = Split(base);
  const std::string_view fragment = reference.find('#') == std::string_view::npos
                                        ? std::string_view()
                                        : reference.substr(reference.find('#'));
  const Parts ref = Split(reference);
  std::string out(from.scheme);
  if (!ref.authority.empty()) {
    out.append(ref.authority).append(RemoveDotSegments(ref.path)).append(ref.query);
    return out.append(fragment);
  }
  // A story never carries the user and password of the feed's own address.
  const std::size_t at = from.authority.find('@');
  out.append(at == std::string_view::npos ? from.authority
                                          : "//" + std::string(from.authority.substr(at + 1)));
  if (ref.path.empty()) {
    out.append(from.path).append(ref.query.empty() ? from.query : ref.query);
    return out.append(fragment);
  }
  if (ref.path.starts_with('/')) {
    out.append(RemoveDotSegments(ref.path));
  } else {
    std::string merged;
    if (!from.authority.empty() && from.path.empty()) {
      merged = "/";
    } else {
      const std::size_t slash = from.path.rfind('/');
      if (slash != std::string_view::npos) merged = from.path.substr(0, slash + 1);
    }
    merged.append(ref.path);
    out.append(RemoveDotSegments(merged));
  }
  return out.append(ref.query).append(fragment);
}

bool HasWebScheme(std::string_view typed) {
  return StartsWithNoCase(typed, "http://") || StartsWithNoCase(typed, "https://");
}

bool IsWebAddress(std::string_view address) {
  return HasHost(address) && OffsetOfControl(address) == address.size();
}

std::string_view FirstWebAddress(std::string_view line) {
  return FirstWebAddressIn(line);
}

std::u16string_view FirstWebAddress(std::u16string_view line) {
  return FirstWebAddressIn(line);
}

}  // namespace core
