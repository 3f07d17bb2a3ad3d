#include "core/sources/SourceStatus.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(PlainFailure, SaysWhatWentWrongInAFewWords) {
  const std::pair<std::string_view, std::string_view> rows[] = {
      {"GetFileContents: HTTP status 404 for http://h/a", "not found (404)"},
      {"GetFileContents: HTTP status 403 for http://h/a", "refused (403)"},
      {"GetFileContents: HTTP status 503 for http://h/a", "busy (503)"},
      {"GetFileContents: HTTP status 500 for http://h/a", "server error (500)"},
      {"FileUrlLastModifiedChanged: Cannot open URL http://h/: refused", "cannot connect"},
      {"GetFileUrlContents: response too large for http://h/", "too large"},
      {"Feed: cannot read http://h/: unclosed tag at byte 9", "not a feed"},
      {"GetUrlFileThread: Cannot fetch URL http://h/: the fetch took longer than 120 s",
       "no answer in time"},
      {"C:\\n.txt is missing", "file missing"},
      {"something else", "failed"}};
  for (const auto& [error, words] : rows) EXPECT_EQ(PlainFailure(error), words) << error;
}

}  // namespace
}  // namespace core
