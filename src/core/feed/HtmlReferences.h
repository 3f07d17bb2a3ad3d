#pragma once
// HTML's named character references ("&eacute;", "&rsquo;"): the names a feed's escaped HTML
// uses, which XML itself does not define.

#include <cstddef>
#include <span>
#include <string_view>

namespace core {

struct HtmlReference {
  std::string_view name;  // without "&" and ";"
  char32_t first;
  char32_t second = 0;  // a few names stand for two characters
};

// Every name that ends in ";" in HTML's list, sorted by name.
std::span<const HtmlReference> HtmlReferenceTable();

// "CounterClockwiseContourIntegral".
constexpr std::size_t kLongestHtmlReferenceName = 31;

// The reference of that name, or nullptr; names are case-sensitive.
const HtmlReference* FindHtmlReference(std::string_view name);

}  // namespace core
