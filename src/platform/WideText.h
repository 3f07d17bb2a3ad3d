#pragma once
// The shown text as the W calls take it: char16_t and wchar_t are both UTF-16 units on Windows.

#include <string_view>

namespace platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* WideOf(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

inline int WideLength(std::u16string_view text) {
  return static_cast<int>(text.size());
}

}  // namespace platform
