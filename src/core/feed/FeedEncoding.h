#pragma once
// A feed's bytes turned into UTF-8 for the parser, whatever they came in.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/TextDecoding.h"
#include "core/text/TextEncoding.h"

namespace core {

// UTF-16 with a byte-order mark (the mark itself not copied). An unpaired surrogate becomes
// U+FFFD; an odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes);

// The encoding an XML declaration names: utf-8 and us-ascii, utf-16, iso-8859-1 (latin1) and
// windows-1250 to 1258; nullopt for any other.
std::optional<TextEncoding> EncodingOfDeclaration(std::string_view name);

// `bytes` in `encoding` as UTF-8: UTF-8 as it is, ISO-8859-1 and windows-1252 by their tables.
// nullopt for an encoding it has no table for.
std::optional<std::string> SingleByteToUtf8(std::string_view bytes, const TextEncoding& encoding);

// The character a byte is in windows-1252; its five undefined bytes keep their Latin-1 control
// character.
char32_t Windows1252Character(unsigned char byte);

}  // namespace core
