#pragma once
// A source's address as the lists see it: the name it gives a source nobody named, and the form
// in which two entries are found to be the same source.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sources/Opml.h"

namespace core {

// The name of a source its list leaves unnamed, which never shows a password the address holds:
// an http or https address's host ("[::1]" for an IPv6 one), with ":port" when the address writes
// a port; any other address's last path component (its file name), or the whole address, masked
// as the log masks it, when it ends in a separator.
std::string SourceNameOf(std::string_view address);

// The address as sources are told apart: a web address with its scheme and host in lower case,
// since neither tells two servers apart, and any other address byte for byte.
std::string SourceAddressKey(std::string_view address);

// What the Sources dialog makes of a typed address: an existing file's path as it is, a web
// address as it is, and text that would be one but for its scheme with "http://" before it, as
// the File page does. Anything else is refused, and `refusal` says why to the user.
struct TypedAddress {
  std::string address;
  std::string refusal;
};
TypedAddress SourceAddressTyped(std::string_view typed,
                                const std::function<bool(const std::string&)>& fileExists);

// The entry of `sources` other than `except` that is the same source as `address`, if any.
std::optional<std::size_t> SameSourceAt(const std::vector<SourceEntry>& sources,
                                        std::string_view address,
                                        std::optional<std::size_t> except = {});

}  // namespace core
