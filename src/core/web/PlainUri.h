#pragma once
// A story's address as the shell is to hand it to the browser. The shell passes it on a command
// line in the system's code page: a blank or a quote would end its argument there, and a
// character beyond ASCII would be misread. Percent escapes survive both.

#include <string>
#include <string_view>

namespace core {

// `link` with every byte that is not printable ASCII, and the blank and " < > \ ^ ` { | }, as a
// percent escape; an escape already there ("%" and two hex digits) stays, a lone "%" is escaped.
// `link` is UTF-8, as every story's address is.
std::string PlainUri(std::string_view link);

}  // namespace core
