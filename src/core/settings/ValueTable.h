#pragma once
// The settings store's table: named tagged values, kept in the order in which names were first
// set. Names are compared the way the registry and ini files compare them, so a name that the
// stored forms cannot tell apart is one entry here too.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

namespace core {

// The alternatives are in the order of ValueKind.
using Value = std::variant<std::int32_t, double, bool, std::string>;

enum class ValueKind { Integer, Float, Boolean, String };

// The kind of value the variant holds.
ValueKind KindOf(const Value& value);

// Whether two value names are the same name: ASCII letters without regard to case.
bool SameName(std::string_view a, std::string_view b);

// Hash and equality of names under SameName, for unordered containers keyed by name.
struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const;
};
struct NameEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameName(a, b); }
};

class ValueTable {
 public:
  class Entry {
   public:
    Entry(std::string name, Value value) : value(std::move(value)), name_(std::move(name)) {}
    // The name as it was first set.
    const std::string& Name() const { return name_; }
    Value value;

   private:
    std::string name_;
  };

  // Replaces the value (and with it the kind) of an existing name, or appends a new entry.
  void Set(std::string_view name, Value value);
  // The entry's value, or nullptr when the name is not in the table.
  const Value* Find(std::string_view name) const;
  Value* Find(std::string_view name);
  // Copies the entry's value into `value`; a name not in the table leaves `value` as it was.
  bool Get(std::string_view name, Value& value) const;

  // Entries in table order; values may be changed in place, names may not.
  std::vector<Entry>::iterator begin() { return entries_.begin(); }
  std::vector<Entry>::iterator end() { return entries_.end(); }
  std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
  std::vector<Entry>::const_iterator end() const { return entries_.end(); }
  std::size_t Size() const { return entries_.size(); }
  // Empties the table.
  void Clear();

 private:
  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t, NameHash, NameEqual> index_;
};

}  // namespace core
