#include "core/text/CharacterBreaks.h"

#include <algorithm>
#include <iterator>

namespace core {
namespace {

struct Range {
  char32_t first;
  char32_t last;
};

// Marks drawn on the character before them (general categories Mn and Me) in the blocks news
// text uses, and the other characters Unicode's grapheme rules keep with the one before:
// joiners, spacing vowel signs, variation selectors, emoji skin tones and tags. Not the whole of
// Unicode: a rarer mark may still start a line. Sorted.
// clang-format off
constexpr Range kAttached[] = {
    // Combining diacritical marks; Cyrillic titlo and enclosing marks
    {0x0300, 0x036F}, {0x0483, 0x0489},
    // Hebrew points and accents
    {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2}, {0x05C4, 0x05C5}, {0x05C7, 0x05C7},
    // Arabic harakat and Quranic marks
    {0x0610, 0x061A}, {0x064B, 0x065F}, {0x0670, 0x0670}, {0x06D6, 0x06DC}, {0x06DF, 0x06E4},
    {0x06E7, 0x06E8}, {0x06EA, 0x06ED},
    // Devanagari signs and vowel signs
    {0x0900, 0x0903}, {0x093A, 0x094F}, {0x0951, 0x0957}, {0x0962, 0x0963},
    // Thai vowels above and below, tone marks
    {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E},
    // Combining diacritical marks extended and supplement
    {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    // Zero-width non-joiner and joiner; marks for symbols, the keycap's among them
    {0x200C, 0x200D}, {0x20D0, 0x20FF},
    // Ideographic tone marks, kana voicing marks
    {0x302A, 0x302F}, {0x3099, 0x309A},
    // Variation selectors (text or emoji presentation), combining half marks
    {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
    // Emoji skin tones, tags (subdivision flags), variation selectors supplement
    {0x1F3FB, 0x1F3FF}, {0xE0020, 0xE007F}, {0xE0100, 0xE01EF}};
// clang-format on
static_assert(std::is_sorted(std::begin(kAttached), std::end(kAttached),
                             [](const Range& a, const Range& b) { return a.last < b.first; }));

bool IsAttached(char32_t point) {
  const Range* range =
      std::upper_bound(std::begin(kAttached), std::end(kAttached), point,
                       [](char32_t value, const Range& r) { return value < r.first; });
  return range != std::begin(kAttached) && point <= std::prev(range)->last;
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

char32_t PointAt(std::u16string_view text, std::size_t at) {
  if (IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
    return 0x10000 + ((static_cast<char32_t>(text[at]) - 0xD800) << 10) + (text[at + 1] - 0xDC00);
  }
  return text[at];
}

}  // namespace

bool StartsCharacter(std::u16string_view text, std::size_t at) {
  if (at == 0 || at >= text.size()) return true;
  if (IsHighSurrogate(text[at - 1]) && IsLowSurrogate(text[at])) return false;
  // A joiner binds what follows to what came before: the pieces of a family emoji.
  if (text[at - 1] == 0x200D) return false;
  return !IsAttached(PointAt(text, at));
}

}  // namespace core
