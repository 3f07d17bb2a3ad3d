#pragma once
// What the bar knows of a shown line beside its text: the source it came from and, where the
// source gives them, its story's address, date and id. A line of plain text has none of them,
// or only the first web address written in it.

#include <cstdint>
#include <optional>
#include <string>

namespace core {

struct ItemFacts {
  std::string source;                // a list source's name (UTF-8); empty for the bar's own
  std::string link;                  // an absolute http or https address, or empty
  std::optional<std::int64_t> date;  // seconds since 1970, UTC
  std::string id;                    // RSS guid, Atom id
  bool Empty() const { return source.empty() && link.empty() && !date && id.empty(); }
  bool operator==(const ItemFacts&) const = default;
};

}  // namespace core
