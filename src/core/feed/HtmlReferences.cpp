#include "core/feed/HtmlReferences.h"

#include <algorithm>

namespace core {

const HtmlReference* FindHtmlReference(std::string_view name) {
  if (name.empty() || name.size() > kLongestHtmlReferenceName) return nullptr;
  const std::span<const HtmlReference> table = HtmlReferenceTable();
  const auto found = std::lower_bound(
      table.begin(), table.end(), name,
      [](const HtmlReference& reference, std::string_view key) { return reference.name < key; });
  return found != table.end() && found->name == name ? &*found : nullptr;
}

}  // namespace core
