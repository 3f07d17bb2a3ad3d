#pragma once
// A story's address as the shell is to hand it to the browser. The shell passes it on a command
// line in the system's code page: a blank or a quote would end its argument there, and a
// character beyond ASCII would be misread. Percent escapes survive both.

#include <functional>
#include <string>
#include <string_view>

namespace core {

// Text in the system's code page as UTF-8.
using CodePageToUtf8Text = std::function<std::string(std::string_view)>;

// `link` with every byte that is not printable ASCII, and the blank and " < > \ ^ ` { | }, as a
// percent escape; an escape already there ("%" and two hex digits) stays, a lone "%" is escaped.
// A feed's links are UTF-8; one that is not (an address written in a plain text) is in the
// system's code page, turned into UTF-8 by `fromCodePage` first.
std::string PlainUri(std::string_view link, const CodePageToUtf8Text& fromCodePage = {});

}  // namespace core
