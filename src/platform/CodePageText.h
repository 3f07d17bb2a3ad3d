#pragma once
// Text in UTF-8, UTF-16 or another code page, converted to the system's code page that the bar
// draws in. Text that is already in it is left alone, byte for byte.

#include <optional>
#include <string>
#include <string_view>

#include "core/text/TextEncoding.h"

namespace platform {

unsigned SystemCodePage();

// Converts `bytes` from `encoding` to the system's code page, without the byte-order mark and
// up to the first NUL (for UTF-16 the first NUL code unit). True when some character cannot be
// shown in the code page and became "?". Throws std::bad_alloc when memory runs out.
bool ConvertToSystemCodePage(std::string& bytes, const core::TextEncoding& encoding);

// The same after deciding the encoding: `declared` (a web server's charset) first, else the
// bytes themselves.
bool ToSystemCodePage(std::string& bytes, const std::optional<core::TextEncoding>& declared);

// Bytes in `codePage` as UTF-8; nullopt when the system has no such code page. Throws
// std::bad_alloc when memory runs out.
std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage);

}  // namespace platform
