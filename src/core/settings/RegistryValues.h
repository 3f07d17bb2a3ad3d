#pragma once
// How table values are kept as named values of a registry key: integers as DWORDs (unless the
// value already stored under that name is a string, which stays one), booleans as the strings
// "0" and "1", strings as strings, floating-point numbers as locale-independent decimal text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/ValueTable.h"

namespace core {

// The types the store tells apart; the Win32 side maps REG_DWORD to Dword, REG_SZ and
// REG_EXPAND_SZ to String, and any other type to Other.
enum class RegistryType { Absent, Dword, String, Other };

struct RegistryData {
  RegistryType type = RegistryType::Absent;
  std::uint32_t dword = 0;
  std::string text;
};

// Stored data larger than this is not read: a string value has no business being that long.
inline constexpr std::size_t kMaxRegistryDataSize = std::size_t{1} << 20;

// A named value under a key takes any name but an empty one (the key's default value) or one
// with a NUL in it.
bool IsRegistryValueName(std::string_view name);

// The data of `type` from the bytes the system returned: a DWORD needs exactly 4 bytes (else
// Other), a string ends at its first NUL or at the end of the bytes.
RegistryData DecodeRegistryData(RegistryType type, std::string_view bytes);
// The bytes to hand the system for `data`: 4 little-endian bytes, or the text and one NUL.
std::string EncodeRegistryData(const RegistryData& data);

// The table value after reading `stored` for an entry holding `current`: absent data, and a
// string that is not a number where a number is wanted, leave `current`; nullopt when the
// stored type cannot give that kind (the read has failed).
std::optional<Value> ReadRegistryValue(const Value& current, const RegistryData& stored);

// What to write for `value` when the value of that name is now of type `existing`; nullopt when
// the value has no stored form (a floating-point number that is not finite, or a string with a
// NUL in it, which a registry string would cut short).
std::optional<RegistryData> PlanRegistryWrite(const Value& value, RegistryType existing);

// A key opened by the Win32 side; the key closes when the object goes.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // The named value, Absent when there is none; throws when the system cannot read it.
  virtual RegistryData Read(const std::string& name) = 0;
  // The type of the named value, Absent when there is none.
  virtual RegistryType TypeOf(const std::string& name) = 0;
  // Writes the named value; false when the system refuses.
  virtual bool Write(const std::string& name, const RegistryData& data) = 0;
};

}  // namespace core
