#include "core/sources/SourceAddress.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "core/web/WebAddress.h"
#include "core/web/WebAddressParts.h"

namespace core {
namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// Host and port of a web address as it writes them.
struct WrittenHost {
  std::size_t offset = 0;  // where the host starts
  std::string host;        // as written, an IPv6 literal in its brackets
  std::string port;        // ":" and the port the split read, or empty when none is written
};

void LowerAscii(std::string& text, std::size_t offset, std::size_t count) {
  for (std::size_t at = offset; at < offset + count; ++at) {
    if (text[at] >= 'A' && text[at] <= 'Z') text[at] = static_cast<char>(text[at] - 'A' + 'a');
  }
}

void LowerScheme(std::string& address) {
  LowerAscii(address, 0, std::min(address.find(':'), address.size()));
}

// The host the split read, where the address writes it: at the start of the authority or after
// an "@", followed by the end, or by ":" and digits up to the end, which "/", "?" or "#" makes.
// Any earlier such place is a user's: cut off by an "@", or followed by no digits (a password
// holding "/"). Each place is read up to the next "@", which no host holds: the walk is linear.
std::optional<WrittenHost> WrittenHostOf(std::string_view address) {
  // The split takes no scheme in capitals, which is a web address all the same.
  std::string schemeLowered(address);
  LowerScheme(schemeLowered);
  const std::optional<WebAddressParts> parts = SplitWebAddress(schemeLowered);
  if (!parts) return std::nullopt;
  WrittenHost written;
  const bool ipv6 = parts->host.find(':') != std::string::npos;
  written.host.append(ipv6 ? "[" : "").append(parts->host).append(ipv6 ? "]" : "");
  for (std::size_t place = address.find("://") + 3;;) {
    const std::string_view rest = address.substr(place);
    if (rest.starts_with(written.host)) {
      const std::string_view after = rest.substr(written.host.size());
      const std::string_view port = after.substr(0, after.find_first_of("/?#@"));
      const bool ended = port.size() == after.size() || after[port.size()] != '@';
      if (ended && (port.empty() || (port.front() == ':' && AllDigits(port.substr(1))))) {
        written.offset = place;
        if (port.size() > 1) written.port.append(":").append(std::to_string(parts->port));
        return written;
      }
    }
    const std::size_t at = rest.find('@');
    if (at == std::string_view::npos) return std::nullopt;
    place += at + 1;
  }
}

}  // namespace

std::string SourceNameOf(std::string_view address) {
  if (const std::optional<WrittenHost> written = WrittenHostOf(address)) {
    return written->host + written->port;
  }
  // Masked first: a scheme's authority ("ftp://ann:pw@host") may itself be the last component.
  std::string masked = AddressForLog(address);
  const std::size_t separator = masked.find_last_of("/\\");
  if (separator == std::string::npos || separator + 1 == masked.size()) return masked;
  return masked.substr(separator + 1);
}

std::string SourceAddressKey(std::string_view address) {
  std::string key(address);
  const std::optional<WrittenHost> written = WrittenHostOf(address);
  if (!written) return key;
  LowerScheme(key);
  LowerAscii(key, written->offset, written->host.size());
  return key;
}

TypedAddress SourceAddressTyped(std::string_view typed,
                                const std::function<bool(const std::string&)>& fileExists) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!typed.empty() && blank(typed.front())) typed.remove_prefix(1);
  while (!typed.empty() && blank(typed.back())) typed.remove_suffix(1);
  std::string address(typed);
  if (address.empty()) return {{}, "Type the address of a feed or a web file, or a file's path."};
  if (fileExists(address)) return {address, {}};
  // A path that does not exist is no address without its scheme.
  const bool pathLike = address.find('\\') != std::string::npos ||
                        (address.size() >= 2 && address[1] == ':' &&
                         std::isalpha(static_cast<unsigned char>(address[0])));
  if (!HasWebScheme(address) && !pathLike && std::none_of(address.begin(), address.end(), blank)) {
    address.insert(0, "http://");
  }
  if (IsWebAddress(address) && SplitWebAddress(address)) return {address, {}};
  return {
      {},
      "\"" + std::string(typed) + "\" is neither a web address nor the path of an existing file."};
}

std::optional<std::size_t> SameSourceAt(const std::vector<SourceEntry>& sources,
                                        std::string_view address,
                                        std::optional<std::size_t> except) {
  const std::string key = SourceAddressKey(address);
  for (std::size_t at = 0; at < sources.size(); ++at) {
    if (at != except && SourceAddressKey(sources[at].address) == key) return at;
  }
  return std::nullopt;
}

}  // namespace core
