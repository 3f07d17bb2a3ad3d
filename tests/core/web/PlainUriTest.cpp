#include "core/web/PlainUri.h"

#include <gtest/gtest.h>

#include "TestNames.h"
#include "core/feed/FeedEncoding.h"

namespace core {
namespace {

struct UriCase {
  const char* what;
  const char* link;
  const char* uri;
};

class LinkForTheShell : public testing::TestWithParam<UriCase> {};

TEST_P(LinkForTheShell, IsAPlainUri) {
  const auto windows1252 = [](std::string_view text) {
    return *SingleByteToUtf8(text, {TextEncoding::Kind::CodePage, 1252, 0});
  };
  EXPECT_EQ(PlainUri(GetParam().link, windows1252), GetParam().uri);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LinkForTheShell,
    testing::Values(
        UriCase{"a quote and blanks", "http://a.example/\" --new-window \"x",
                "http://a.example/%22%20--new-window%20%22x"},
        UriCase{"utf-8 beyond ascii", "http://a.example/K\xC3\xB6ln", "http://a.example/K%C3%B6ln"},
        UriCase{"the code page of a plain text", "http://a.example/K\xF6ln",
                "http://a.example/K%C3%B6ln"},
        UriCase{"escapes stay", "http://a.example/a%2Fb%c3?q=%41",
                "http://a.example/a%2Fb%c3?q=%41"},
        UriCase{"a lone percent", "http://a.example/100%?x=%4g", "http://a.example/100%25?x=%254g"},
        UriCase{"the other unsafe characters", "http://a.example/<>\\^`{|}\t\x7F",
                "http://a.example/%3C%3E%5C%5E%60%7B%7C%7D%09%7F"}),
    testing_names::FromWhat());

}  // namespace
}  // namespace core
