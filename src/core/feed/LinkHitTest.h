#pragma once
// Which shown line a click falls on. The marquee's text is the lines joined, each followed by
// one blank; the character under the cursor gives the line. Runs only on a click or a cursor
// change, never while the text scrolls.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace core {

// The index of the line whose characters hold `position` of the joined text. The blank after
// each line belongs to none, nor does a position past the end.
std::optional<std::size_t> LineAtTextPosition(std::span<const std::string_view> lines,
                                              std::size_t position);

// The character at `position` of the joined text, as a view into its line, so that the line's
// story can be looked up for that very character; nullopt where LineAtTextPosition finds none.
std::optional<std::string_view> CharacterAtTextPosition(std::span<const std::string_view> lines,
                                                        std::size_t position);

// A press and release further apart than the system's drag rectangle (`dragWidth` by
// `dragHeight`, centred on the press) are a drag, never a click.
bool IsDrag(int pressX, int pressY, int releaseX, int releaseY, int dragWidth, int dragHeight);

}  // namespace core
