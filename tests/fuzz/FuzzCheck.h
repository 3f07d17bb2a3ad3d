#pragma once
// What the fuzz targets share: a broken property ends the run like a crash, so that libFuzzer
// keeps the input that broke it, and the line that says which property it was.

#include <time.h>

#include <algorithm>
#include <cstddef>
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

// What a linear reader may take for one input, with the sanitizers and the coverage counters: a
// fixed part for the start and a part per byte, about twice what the slowest reader takes there
// (the feed reader on a megabyte of "&a" in a description, each "&" repaired: 0.65 to 0.86 µs a
// byte on a loaded machine); the fixed part above the 30 ms that a 50-byte input once took. The
// tag stripper that searched the rest of the text for ">" after every "<" took 4.3 s on a
// megabyte of "<a": such a reader passes it from about 400 KB on.
constexpr double kFixedSeconds = 0.05;
constexpr double kSecondsPerByte = 1.5e-6;

// The processor time of this thread, so that other work on the machine does not count.
inline double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs `read` over an input of `size` bytes, and fails when it took more than a linear reader.
template <typename Read>
auto InLinearTime(std::size_t size, Read read) {
  const double start = ThreadSeconds();
  auto result = read();
  const double took = ThreadSeconds() - start;
  if (took > kFixedSeconds + kSecondsPerByte * static_cast<double>(size)) {
    std::fprintf(stderr, "%zu bytes took %.3f s\n", size, took);
    FUZZ_CHECK(!"a reader took more than linear time");
  }
  return result;
}

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
