#include "app/SourceText.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/feed/FeedReader.h"
#include "core/text/TextDecoding.h"
#include "platform/CodePageText.h"

namespace {

// True when the bytes are an OPML document, whole or broken.
bool ReadSourceList(std::string_view bytes, const TextSource& source, SourceText& text) {
  core::OpmlReading list = core::ReadOpml(bytes);
  switch (list.outcome) {
    case core::OpmlOutcome::NotOpml: return false;
    case core::OpmlOutcome::Broken:
      text.kind = SourceText::Kind::BrokenFeed;
      text.error = "Sources: cannot read " + source.shown + ": " + list.error + " at byte " +
                   std::to_string(list.errorOffset);
      return true;
    case core::OpmlOutcome::List: break;
  }
  text.kind = SourceText::Kind::SourceList;
  text.list = std::move(list);
  return true;
}

}  // namespace

SourceText TextOfBody(std::string bytes, const std::optional<core::TextEncoding>& charset,
                      const TextSource& source, std::u16string_view separator) {
  SourceText text;
  core::FeedReading feed =
      core::ReadFeed(bytes, charset, source.address, &platform::CodePageToUtf8);
  switch (feed.outcome) {
    case core::FeedOutcome::NotFeed: {
      if (ReadSourceList(bytes, source, text)) return text;
      std::u16string decoded = core::DecodeText(bytes, charset, &platform::CodePageToUtf16);
      std::string().swap(bytes);  // a large text holds its bytes and its decoding only briefly
      text.lines = core::TextLines(std::move(decoded));
      return text;
    }
    case core::FeedOutcome::Broken:
      text.kind = SourceText::Kind::BrokenFeed;
      text.error = "Feed: cannot read " + source.shown + ": " + feed.error + " at byte " +
                   std::to_string(feed.errorOffset);
      return text;
    case core::FeedOutcome::Feed: break;
  }
  std::string().swap(bytes);  // not needed any more: a large feed costs less at its peak
  text.kind = SourceText::Kind::Feed;
  text.repairs = feed.repairs;
  if (feed.refreshHintSeconds) text.refreshHintMs = *feed.refreshHintSeconds * 1000;
  std::vector<core::ItemFacts> items(feed.items.size());
  std::transform(feed.items.begin(), feed.items.end(), items.begin(), [](core::FeedItem& item) {
    return core::ItemFacts{{}, std::move(item.link), item.date, std::move(item.id)};
  });
  std::u16string lines = core::FeedLineText(feed.items, separator);
  std::vector<core::FeedItem>().swap(feed.items);
  text.lines = core::TextLines(std::move(lines));
  // The separator that ends each line: a click on it opens nothing.
  text.lines.SetItems(std::move(items), core::OneLineSeparator(separator));
  return text;
}
