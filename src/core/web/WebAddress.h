#pragma once
// Addresses of stories: relative ones resolved against a base, and only http and https kept,
// since whatever is kept may be handed to the user's browser.

#include <string>
#include <string_view>

namespace core {

// `reference` resolved against the absolute `base` (RFC 3986, section 5.2), without the base's
// user and password; an absolute reference is returned as it is, and so is any reference when
// the base has no scheme.
std::string ResolveAddress(std::string_view base, std::string_view reference);

// Whether an address names a web source, everywhere a source is given (command line, lists,
// the options and the Sources dialog): an http:// or https:// address with a host (scheme
// without regard to case) that holds no control character (C0, DEL, or C1 in UTF-8).
bool IsWebAddress(std::string_view address);
// True when `typed` begins with http:// or https:// (without regard to case): an address typed
// without a scheme is given one.
bool HasWebScheme(std::string_view typed);

// The first http:// or https:// address in a line of plain text, up to a blank, a control
// character, a quote or an angle bracket, without the punctuation that ends a sentence, as a
// view into `line`; empty when there is none.
std::string_view FirstWebAddress(std::string_view line);
// The same in a shown line of UTF-16.
std::u16string_view FirstWebAddress(std::u16string_view line);

}  // namespace core
