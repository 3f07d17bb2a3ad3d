#include "core/web/Redirects.h"

#include <algorithm>

#include "core/web/WebAddress.h"
#include "core/web/WebAddressParts.h"

namespace core {

bool IsRedirectStatus(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool RedirectChain::Follow(int status, std::string_view location) {
  const std::string from = AddressForLog(Current());
  if (location.empty()) {
    error_ = "HTTP status " + std::to_string(status) + " without a target for " + from;
    return false;
  }
  std::string target = ResolveAddress(Current(), location);
  if (!IsWebAddress(target)) {
    error_ = "redirect from " + from + " to " + AddressForLog(target) + ", not a web address";
    return false;
  }
  if (std::find(visited_.begin(), visited_.end(), target) != visited_.end()) {
    error_ = "redirect loop from " + from + " back to " + AddressForLog(target);
    return false;
  }
  if (static_cast<int>(visited_.size()) > kMaxRedirects) {
    error_ = "more than " + std::to_string(kMaxRedirects) + " redirects from " +
             AddressForLog(visited_.front());
    return false;
  }
  if (visited_.size() == 1 && (status == 301 || status == 308)) movedTo_ = target;
  visited_.push_back(std::move(target));
  return true;
}

}  // namespace core
