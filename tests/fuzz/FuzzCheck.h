#pragma once
// What the fuzz targets share: a broken property ends the run like a crash, so that libFuzzer
// keeps the input that broke it, and the line that says which property it was.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)

namespace fuzz {

// Lines split on CR LF, CR or LF, a final break adding no empty line: the reading that both the
// ini text and the shown lines use, written here once more so that the targets do not take it
// from the code they check.
inline std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end == text.size()) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

// ASCII letters in capitals, as names and switches are compared.
inline std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return upper;
}

// Whether `part` occurs in `whole` in order, each element of `part` equal to a later one of
// `whole`.
template <typename T>
bool IsSubsequence(const std::vector<T>& part, const std::vector<T>& whole) {
  std::size_t at = 0;
  for (const T& item : part) {
    while (at < whole.size() && !(whole[at] == item)) ++at;
    if (at == whole.size()) return false;
    ++at;
  }
  return true;
}

}  // namespace fuzz
