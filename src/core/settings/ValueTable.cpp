#include "core/settings/ValueTable.h"

namespace core {
namespace {

char FoldCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

ValueKind KindOf(const Value& value) {
  return static_cast<ValueKind>(value.index());
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

std::size_t NameHash::operator()(std::string_view name) const {
  // FNV-1a over the folded bytes: names are short and few.
  std::size_t hash = 2166136261U;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(FoldCase(c));
    hash *= 16777619U;
  }
  return hash;
}

void ValueTable::Set(std::string_view name, Value value) {
  if (Value* existing = Find(name)) {
    *existing = std::move(value);
    return;
  }
  index_.emplace(std::string(name), entries_.size());
  entries_.emplace_back(std::string(name), std::move(value));
}

const Value* ValueTable::Find(std::string_view name) const {
  const auto found = index_.find(name);
  return found == index_.end() ? nullptr : &entries_[found->second].value;
}

Value* ValueTable::Find(std::string_view name) {
  const auto found = index_.find(name);
  return found == index_.end() ? nullptr : &entries_[found->second].value;
}

bool ValueTable::Get(std::string_view name, Value& value) const {
  const Value* found = Find(name);
  if (found == nullptr) return false;
  value = *found;
  return true;
}

void ValueTable::Clear() {
  entries_.clear();
  index_.clear();
}

}  // namespace core
