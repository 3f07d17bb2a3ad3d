#include "app/SourceText.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/feed/FeedReader.h"
#include "platform/CodePageText.h"

SourceText TextOfBody(std::string bytes, const std::optional<core::TextEncoding>& charset,
                      const TextSource& source, const std::string& separator) {
  SourceText text;
  core::FeedReading feed =
      core::ReadFeed(bytes, charset, source.address, &platform::CodePageToUtf8);
  switch (feed.outcome) {
    case core::FeedOutcome::NotFeed:
      text.lossy = platform::ToSystemCodePage(bytes, charset);
      text.lines = core::TextLines(std::move(bytes));
      return text;
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
  std::vector<std::string> links(feed.items.size());
  std::transform(feed.items.begin(), feed.items.end(), links.begin(),
                 [](core::FeedItem& item) { return std::move(item.link); });
  std::string lines = core::FeedLineBytes(feed.items, separator);
  std::vector<core::FeedItem>().swap(feed.items);
  text.lossy = platform::ConvertToSystemCodePage(lines, {core::TextEncoding::Kind::Utf8, 0, 0});
  text.lines = core::TextLines(std::move(lines));
  text.lines.SetLinks(std::move(links));
  return text;
}
