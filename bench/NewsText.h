#pragma once
// A text of news words of any size, the kind of text the bar shows, for the benchmarks.

#include <cstddef>
#include <string>
#include <string_view>

inline std::u16string NewsText(std::size_t size) {
  constexpr std::u16string_view kWords = u"Driftline news: markets, weather and sport. ";
  std::u16string text;
  text.reserve(size);
  while (text.size() < size) text += kWords.substr(0, size - text.size());
  return text;
}
