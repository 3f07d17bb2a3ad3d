#pragma once
// Where one character, as a reader sees it, ends and the next starts: a cut there never shows
// half a surrogate pair, a mark without its letter, or an emoji sequence in pieces.

#include <cstddef>
#include <string_view>

namespace core {

// Whether a character starts at `at` (the ends of the text count): not inside a surrogate pair,
// not at a mark that goes with the character before it (combining marks, variation selectors,
// emoji modifiers, joiners), not just after a zero-width joiner.
bool StartsCharacter(std::u16string_view text, std::size_t at);

}  // namespace core
