#pragma once
// Values as text, the form shared by the ini file and by registry strings. Numbers are read and
// written without regard to the user's locale, so a file moves between machines unchanged.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/ValueTable.h"

namespace core {

// Decimal integers, booleans "0" or "1", floating-point numbers in the shortest decimal form that
// reads back exactly, strings unchanged; nullopt for a floating-point value that is not finite.
std::optional<std::string> ValueToText(const Value& value);

// `current` re-read from `text` as a value of current's kind; a text that is not a number leaves
// a number or boolean as it was. Booleans are true for any integer but 0.
Value ValueFromText(std::string_view text, const Value& current);

// The text without the blanks and tabs at either end, which both stored forms ignore.
std::string_view TrimBlanks(std::string_view text);

// A signed 32-bit decimal integer, blanks around it allowed.
std::optional<std::int32_t> ParseStoredInteger(std::string_view text);

// A finite decimal floating-point number ("-2.5", "1e-3"), blanks around it allowed; a decimal
// comma is not one.
std::optional<double> ParseStoredFloat(std::string_view text);

}  // namespace core
