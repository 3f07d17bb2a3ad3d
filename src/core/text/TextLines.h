#pragma once
// Lines are views into the bytes they came from, so a large file costs one copy of its bytes and
// a small record per line rather than an allocation per line.

#include "core/text/TextLineReader.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace core {

struct TextOptions;

// A capacity guess for the lines in `byteCount` bytes; too low a guess only costs a regrowth.
inline std::size_t ExpectedLineCount(std::size_t byteCount) {
  return byteCount / 32 + 1;  // ticker lines are seldom shorter
}

// All lines of `bytes`, as LineReader reads them.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// `FileLines`: owns the bytes of one read and the lines in them. The bytes are split when the
// lines are first asked for, or by BuildText in the same walk that builds the text. Move-only,
// because the lines point into the owned bytes.
class TextLines {
 public:
  TextLines() = default;
  // Takes over the bytes of a read.
  explicit TextLines(std::string bytes)
      : bytes_(std::make_unique<const std::string>(std::move(bytes))) {}
  // Exactly one line, `line` as it is: the start-up line, or a missing file's empty line.
  static TextLines OneLine(std::string_view line);

  TextLines(TextLines&&) noexcept = default;
  TextLines& operator=(TextLines&&) noexcept = default;
  TextLines(const TextLines&) = delete;
  TextLines& operator=(const TextLines&) = delete;
  ~TextLines() = default;

  // The lines (split now if not yet), open to filtering in place.
  std::vector<std::string_view>& Lines();
  // True when there is no line at all (`FileEmpty` after a read); does not split.
  bool Empty() const;
  // Drops the lines and their bytes.
  void Clear();

  // A feed's story addresses, one per line as the bytes split (empty for a line without one).
  // A line that ends with `separator` is its headline followed by it. Without them, a line's
  // address is the first http or https address written in it.
  void SetLinks(std::vector<std::string> links, std::string_view separator = {});
  // The address of the line that `piece` (a view into these lines' bytes: a line, or a part of
  // one) belongs to, as a view into what these lines own; empty when it has none or is not from
  // these bytes. A piece that starts in the separator after a headline belongs to no story.
  std::string_view LinkOf(std::string_view piece);
  // How much of `line`, from its start, its story covers: a feed line's headline without the
  // separator after it; a whole line otherwise.
  std::size_t LinkedSize(std::string_view line);

 private:
  friend std::string BuildText(TextLines& lines, const TextOptions& options);

  // Where `piece` starts in these lines' bytes; nullopt when it is not from them.
  std::optional<std::size_t> OffsetOf(std::string_view piece) const;
  std::optional<std::size_t> LinkIndexAt(std::size_t offset) const;

  std::string_view Bytes() const { return bytes_ ? std::string_view(*bytes_) : std::string_view(); }

  // On the heap, so that moving keeps the views valid even for a short string, whose characters
  // live inside the string object.
  std::unique_ptr<const std::string> bytes_;
  std::vector<std::string_view> lines_;
  bool split_ = false;
  bool feed_ = false;
  std::vector<std::size_t> linkStarts_;  // offset of each line with a story, ascending
  std::vector<std::size_t> headlineEnds_;
  std::vector<std::size_t> linkEnds_;
  std::vector<std::string> links_;
};

}  // namespace core
