#pragma once
// A source's address as the lists see it: the name it gives a source nobody named, and the form
// in which two entries are found to be the same source.

#include <string>
#include <string_view>

namespace core {

// The name of a source its list leaves unnamed, which never shows a password the address holds:
// an http or https address's host ("[::1]" for an IPv6 one), with ":port" when the address writes
// a port; any other address's last path component (its file name), or the whole address, masked
// as the log masks it, when it ends in a separator.
std::string SourceNameOf(std::string_view address);

// The address as sources are told apart: a web address with its scheme and host in lower case,
// since neither tells two servers apart, and any other address byte for byte.
std::string SourceAddressKey(std::string_view address);

}  // namespace core
