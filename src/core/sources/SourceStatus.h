#pragma once
// What a user is told of a source that failed: the reason in a few plain words, not the log's
// line with its system message and address.

#include <string>
#include <string_view>

namespace core {

// "cannot connect", "not found (404)", "not a feed", "too large", ... for a failure's log text.
std::string PlainFailure(std::string_view error);

}  // namespace core
