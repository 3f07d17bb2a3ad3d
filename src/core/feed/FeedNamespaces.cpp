#include "core/feed/FeedNamespaces.h"

namespace core {
namespace {

constexpr std::string_view kDeclaration = "xmlns";

std::string_view PrefixOf(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? std::string_view() : name.substr(0, colon);
}

// Whether an attribute declares a namespace, and for which prefix ("" for the default one).
bool Declares(std::string_view attribute, std::string_view& prefix) {
  if (!attribute.starts_with(kDeclaration)) return false;
  if (attribute.size() == kDeclaration.size()) {
    prefix = {};
    return true;
  }
  if (attribute[kDeclaration.size()] != ':') return false;
  prefix = attribute.substr(kDeclaration.size() + 1);
  return true;
}

}  // namespace

std::string_view LocalName(pugi::xml_node element) {
  const std::string_view name = element.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

NamespaceScope::NamespaceScope(pugi::xml_node element, const NamespaceScope* outer)
    : outer_(outer) {
  for (const pugi::xml_attribute attribute : element.attributes()) {
    std::string_view prefix;
    if (Declares(attribute.name(), prefix)) declared_.try_emplace(prefix, attribute.value());
  }
}

std::string_view NamespaceScope::NamespaceOf(pugi::xml_node element) const {
  const std::string_view prefix = PrefixOf(element.name());
  for (const pugi::xml_attribute attribute : element.attributes()) {
    std::string_view declared;
    if (Declares(attribute.name(), declared) && declared == prefix) return attribute.value();
  }
  for (const NamespaceScope* scope = this; scope != nullptr; scope = scope->outer_) {
    const auto found = scope->declared_.find(prefix);
    if (found != scope->declared_.end()) return found->second;
  }
  return {};
}

}  // namespace core
