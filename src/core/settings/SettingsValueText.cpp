#include "core/settings/SettingsValueText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "core/program/CommandLine.h"

namespace core {
namespace {

std::optional<std::string> FloatToText(double number) {
  if (!std::isfinite(number)) return std::nullopt;
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
  if (result.ec != std::errc()) return std::nullopt;
  return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::optional<std::string> ValueToText(const Value& value) {
  switch (KindOf(value)) {
    case ValueKind::Integer: return std::to_string(std::get<std::int32_t>(value));
    case ValueKind::Float: return FloatToText(std::get<double>(value));
    case ValueKind::Boolean: return std::string(std::get<bool>(value) ? "1" : "0");
    case ValueKind::String: return std::get<std::string>(value);
  }
  return std::nullopt;
}

Value ValueFromText(std::string_view text, const Value& current) {
  switch (KindOf(current)) {
    case ValueKind::Integer: {
      const auto number = ParseStoredInteger(text);
      return number ? Value{*number} : current;
    }
    case ValueKind::Float: {
      const auto number = ParseStoredFloat(text);
      return number ? Value{*number} : current;
    }
    case ValueKind::Boolean: {
      const auto number = ParseStoredInteger(text);
      return number ? Value{*number != 0} : current;
    }
    case ValueKind::String: return Value{std::string(text)};
  }
  return current;
}

std::string_view TrimBlanks(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::int32_t> ParseStoredInteger(std::string_view text) {
  const auto number = ParseDecimalInt(TrimBlanks(text));
  if (!number) return std::nullopt;
  return static_cast<std::int32_t>(*number);
}

std::optional<double> ParseStoredFloat(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  double number = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    return std::nullopt;
  }
  if (!std::isfinite(number)) return std::nullopt;
  return number;
}

}  // namespace core
