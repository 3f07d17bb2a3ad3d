#pragma once
// The redirects of one check, followed by the program rather than the system: each hop's target
// is checked as the first address was, and a chain that loops or runs long ends as a failure of
// its source instead of asking a server again and again.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

inline constexpr int kMaxRedirects = 5;

// 301, 302, 303, 307 and 308.
bool IsRedirectStatus(int status);

class RedirectChain {
 public:
  explicit RedirectChain(std::string address) : visited_{std::move(address)} {}

  // The address to ask now.
  const std::string& Current() const { return visited_.back(); }
  // The current address answered `status` with `location`: true when its target (resolved
  // against the current address, without its user and password) is to be asked next; false
  // when the check fails, with Error() saying why (addresses masked).
  bool Follow(int status, std::string_view location);
  const std::string& Error() const { return error_; }
  // Where the first address has moved for good: its own answer was 301 or 308.
  const std::optional<std::string>& MovedTo() const { return movedTo_; }

 private:
  std::vector<std::string> visited_;
  std::string error_;
  std::optional<std::string> movedTo_;
};

}  // namespace core
