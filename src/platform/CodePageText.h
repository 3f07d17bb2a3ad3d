#pragma once
// Text in a code page and the system's part in decoding: the shown text is UTF-16, decoded in
// core; what stays 8-bit (stored values, file and web addresses, log lines, the dialogs' texts)
// is in the system's code page.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

unsigned SystemCodePage();

// Bytes in `codePage` (0: the system's) as UTF-16: the decoder's code-page part, and stored
// values (CommentStr, FeedSeparator) that are compared with or joined to the shown text. A code
// page the system lacks decodes as the system's. Throws std::bad_alloc when memory runs out.
std::u16string CodePageToUtf16(std::string_view bytes, unsigned codePage = 0);

// Bytes in `codePage` as UTF-8; nullopt when the system has no such code page. Throws
// std::bad_alloc when memory runs out.
std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage);

// UTF-8 (a list's names and addresses) in the system's code page, for the log, the dialogs and
// the calls that take 8-bit text; a character the code page lacks becomes "?".
std::string Utf8ToCodePage(std::string_view utf8);

}  // namespace platform
