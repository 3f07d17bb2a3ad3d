#pragma once
// The parser's tree costs a record per element, attribute and text, whatever their size: a few
// bytes of markup can take many times their size in memory. Counted before parsing, in one walk,
// so that a feed with too many is refused before the tree is built.

#include <cstddef>
#include <optional>
#include <string_view>

namespace core {

// Where the record beyond the `most`th of `xml` starts: elements, attributes, CDATA sections
// and texts between tags that hold more than blanks (comments, processing instructions and
// declarations make none); nullopt when there are at most `most`. Counted generously where the
// markup is broken: the parser refuses that anyway.
std::optional<std::size_t> OffsetBeyondNodes(std::string_view xml, std::size_t most);

}  // namespace core
