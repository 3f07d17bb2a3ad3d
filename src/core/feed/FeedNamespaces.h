#pragma once
// Which namespace a feed's element is in, by the declarations in scope: elements are matched by
// namespace and local name, never by the prefix a feed happened to choose.

#include <pugixml.hpp>

#include <string_view>
#include <unordered_map>

#include "core/feed/FeedNamespaceUris.h"

namespace core {

// The name without its prefix.
std::string_view LocalName(pugi::xml_node element);

// The declarations an element makes, over those of the elements around it. A lookup costs the
// element's own attributes and one look per enclosing scope, so the children of an element
// with many declarations are each resolved without reading them again.
class NamespaceScope {
 public:
  // `outer`, the scope of the element's parent, outlives this one.
  explicit NamespaceScope(pugi::xml_node element, const NamespaceScope* outer = nullptr);

  // The namespace of `element`, the scope's own element or a child of it; empty for none.
  std::string_view NamespaceOf(pugi::xml_node element) const;

 private:
  std::unordered_map<std::string_view, std::string_view> declared_;  // prefix ("" default) -> URI
  const NamespaceScope* outer_;
};

}  // namespace core
