#include "core/TextLines.h"

namespace core {

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  lines.reserve(ExpectedLineCount(bytes.size()));
  LineReader reader(bytes);
  for (std::string_view line; reader.Next(line);) lines.push_back(line);
  return lines;
}

TextLines TextLines::OneLine(std::string_view line) {
  TextLines result{std::string(line)};
  result.lines_.push_back(result.Bytes());
  result.split_ = true;
  return result;
}

std::vector<std::string_view>& TextLines::Lines() {
  if (!split_) {
    lines_ = SplitLines(Bytes());
    split_ = true;
  }
  return lines_;
}

bool TextLines::Empty() const {
  if (split_) return lines_.empty();
  const std::string_view bytes = Bytes();
  return bytes.empty() || bytes.front() == '\0';
}

void TextLines::Clear() {
  bytes_.reset();
  lines_ = {};
  split_ = true;
}

}  // namespace core
