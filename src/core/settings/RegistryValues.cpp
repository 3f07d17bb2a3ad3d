#include "core/settings/RegistryValues.h"

#include "core/settings/SettingsValueText.h"

namespace core {
namespace {

RegistryData StringData(std::string text) {
  return RegistryData{RegistryType::String, 0, std::move(text)};
}

// The integer both numeric kinds read: from a DWORD, or parsed from a string. The outer nullopt
// says the stored type cannot give one, the inner one that a string is no number.
std::optional<std::optional<std::int32_t>> IntegerFrom(const RegistryData& stored) {
  if (stored.type == RegistryType::Dword) return static_cast<std::int32_t>(stored.dword);
  if (stored.type == RegistryType::String) return ParseStoredInteger(stored.text);
  return std::nullopt;
}

}  // namespace

bool IsRegistryValueName(std::string_view name) {
  return !name.empty() && name.find('\0') == std::string_view::npos;
}

RegistryData DecodeRegistryData(RegistryType type, std::string_view bytes) {
  if (bytes.size() > kMaxRegistryDataSize) return RegistryData{RegistryType::Other, 0, {}};
  if (type == RegistryType::Dword) {
    if (bytes.size() != 4) return RegistryData{RegistryType::Other, 0, {}};
    std::uint32_t dword = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      dword |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return RegistryData{RegistryType::Dword, dword, {}};
  }
  if (type == RegistryType::String)
    return StringData(std::string(bytes.substr(0, bytes.find('\0'))));
  return RegistryData{type, 0, {}};
}

std::string EncodeRegistryData(const RegistryData& data) {
  if (data.type != RegistryType::Dword) return data.text + '\0';
  std::string bytes(4, '\0');
  for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((data.dword >> (8 * i)) & 0xFF);
  return bytes;
}

std::optional<Value> ReadRegistryValue(const Value& current, const RegistryData& stored) {
  if (stored.type == RegistryType::Absent) return current;
  switch (KindOf(current)) {
    case ValueKind::Integer: {
      const auto number = IntegerFrom(stored);
      if (!number) return std::nullopt;
      return *number ? Value{**number} : current;
    }
    case ValueKind::Boolean: {
      const auto number = IntegerFrom(stored);
      if (!number) return std::nullopt;
      return *number ? Value{**number != 0} : current;
    }
    case ValueKind::Float: {
      if (stored.type == RegistryType::Dword) {
        return Value{static_cast<double>(static_cast<std::int32_t>(stored.dword))};
      }
      if (stored.type != RegistryType::String) return std::nullopt;
      const auto number = ParseStoredFloat(stored.text);
      return number ? Value{*number} : current;
    }
    case ValueKind::String: {
      if (stored.type != RegistryType::String) return std::nullopt;
      return Value{stored.text};
    }
  }
  return std::nullopt;
}

std::optional<RegistryData> PlanRegistryWrite(const Value& value, RegistryType existing) {
  if (KindOf(value) == ValueKind::Integer && existing != RegistryType::String) {
    return RegistryData{
        RegistryType::Dword, static_cast<std::uint32_t>(std::get<std::int32_t>(value)), {}};
  }
  std::optional<std::string> text = ValueToText(value);
  if (!text || text->find('\0') != std::string::npos) return std::nullopt;
  return StringData(std::move(*text));
}

}  // namespace core
