#pragma once
// Lines are views into the text they came from, so a large file costs one copy of its text and
// a small record per line rather than an allocation per line. The text is UTF-16, as shown;
// story addresses are UTF-8.

#include "core/text/ItemFacts.h"
#include "core/text/TextLineReader.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace core {

struct TextOptions;

// A capacity guess for the lines in `unitCount` units; too low a guess only costs a regrowth.
inline std::size_t ExpectedLineCount(std::size_t unitCount) {
  return unitCount / 32 + 1;  // ticker lines are seldom shorter
}

// All lines of `text`, as LineReader reads them.
std::vector<std::u16string_view> SplitLines(std::u16string_view text);

// `FileLines`: owns the text of one read and the lines in it. The text is split when the lines
// are first asked for, or by BuildText in the same walk that builds the shown text. Move-only,
// because the lines point into the owned text.
class TextLines {
 public:
  TextLines() = default;
  // Takes over the decoded text of a read.
  explicit TextLines(std::u16string text)
      : text_(std::make_unique<const std::u16string>(std::move(text))) {}
  // Exactly one line, `line` as it is: the start-up line, or a missing file's empty line.
  static TextLines OneLine(std::u16string_view line);

  TextLines(TextLines&&) noexcept = default;
  TextLines& operator=(TextLines&&) noexcept = default;
  TextLines(const TextLines&) = delete;
  TextLines& operator=(const TextLines&) = delete;
  ~TextLines() = default;

  // The lines (split now if not yet), open to filtering in place.
  std::vector<std::u16string_view>& Lines();
  // True when there is no line at all (`FileEmpty` after a read); does not split.
  bool Empty() const;
  // Drops the lines and their text.
  void Clear();

  // A feed's items, one per line as the text splits. A line that ends with `separator` is its
  // headline followed by it. Without them, a line's address is the first http or https address
  // written in it.
  void SetItems(std::vector<ItemFacts> items, std::u16string_view separator = {});
  // The same with story addresses only (empty for a line without one).
  void SetLinks(std::vector<std::string> links, std::u16string_view separator = {});
  // The item of the line that `piece` belongs to; null for a line of plain text or a piece not
  // from this text.
  const ItemFacts* ItemOf(std::u16string_view piece) const;
  // The address of the line that `piece` (a view into these lines' text: a line, or a part of
  // one) belongs to, as a view into what these lines own; empty when it has none or is not from
  // this text. A piece that starts in the separator after a headline belongs to no story.
  std::string_view LinkOf(std::u16string_view piece);
  // How much of `line`, from its start, its story covers: a feed line's headline without the
  // separator after it; a whole line otherwise.
  std::size_t LinkedSize(std::u16string_view line);

 private:
  friend std::u16string BuildText(TextLines& lines, const TextOptions& options);

  // Where `piece` starts in these lines' text; nullopt when it is not from it.
  std::optional<std::size_t> OffsetOf(std::u16string_view piece) const;
  std::optional<std::size_t> ItemIndexAt(std::size_t offset) const;
  std::string_view PlainLinkOf(std::size_t lineOffset, std::u16string_view line);

  std::u16string_view Text() const {
    return text_ ? std::u16string_view(*text_) : std::u16string_view();
  }

  // On the heap, so that moving keeps the views valid even for a short string, whose characters
  // live inside the string object.
  std::unique_ptr<const std::u16string> text_;
  std::vector<std::u16string_view> lines_;
  bool split_ = false;
  bool feed_ = false;
  std::vector<std::size_t> itemStarts_;  // offset of each line with an item, ascending
  std::vector<std::size_t> headlineEnds_;
  std::vector<std::size_t> itemEnds_;
  std::vector<ItemFacts> items_;
  // A plain text's addresses in UTF-8, by the offset of their line, made when first asked for.
  std::unordered_map<std::size_t, std::string> plainLinks_;
};

}  // namespace core
