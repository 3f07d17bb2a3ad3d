#pragma once
// A text of news words of any size, the kind of text the bar shows, for the benchmarks.

#include <cstddef>
#include <string>
#include <string_view>

inline std::string NewsText(std::size_t size) {
  constexpr std::string_view kWords = "Driftline news: markets, weather and sport. ";
  std::string text;
  text.reserve(size);
  while (text.size() < size) text += kWords.substr(0, size - text.size());
  return text;
}
