#include "core/web/WebAddress.h"

#include <gtest/gtest.h>

#include "TestNames.h"

#include <string>

namespace core {
namespace {

struct ResolveCase {
  const char* what;
  const char* base;
  const char* reference;
  std::string resolved;
};

class AddressResolution : public testing::TestWithParam<ResolveCase> {};

TEST_P(AddressResolution, FollowsTheReferenceRules) {
  EXPECT_EQ(ResolveAddress(GetParam().base, GetParam().reference), GetParam().resolved);
}

constexpr const char* kBase = "http://a.example/b/c/d;p?q";

INSTANTIATE_TEST_SUITE_P(
    Table, AddressResolution,
    testing::Values(ResolveCase{"absolute", kBase, "https://x.example/y", "https://x.example/y"},
                    ResolveCase{"same document", kBase, "g", "http://a.example/b/c/g"},
                    ResolveCase{"dot", kBase, "./g", "http://a.example/b/c/g"},
                    ResolveCase{"parents", kBase, "../../g", "http://a.example/g"},
                    ResolveCase{"beyond the root", kBase, "../../../../g", "http://a.example/g"},
                    ResolveCase{"from the root", kBase, "/g/./h", "http://a.example/g/h"},
                    ResolveCase{"network path", kBase, "//g.example/x", "http://g.example/x"},
                    ResolveCase{"query only", kBase, "?y", "http://a.example/b/c/d;p?y"},
                    ResolveCase{"fragment only", kBase, "#s", "http://a.example/b/c/d;p?q#s"},
                    ResolveCase{"host without path", "http://a.example", "g", "http://a.example/g"},
                    ResolveCase{"base with a password", "http://ann:pw@a.example/b/c", "g",
                                "http://a.example/b/g"},
                    ResolveCase{"base without scheme", "feeds/news.xml", "g", "g"}),
    testing_names::FromWhat());

struct TextAddressCase {
  const char* what;
  const char* line;
  std::string address;
};

class AddressInText : public testing::TestWithParam<TextAddressCase> {};

TEST_P(AddressInText, TakesTheFirstWebAddress) {
  EXPECT_EQ(FirstWebAddress(GetParam().line), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AddressInText,
    testing::Values(
        TextAddressCase{"none", "no address here", ""},
        TextAddressCase{"first of two", "a http://one.example/x b https://two.example",
                        "http://one.example/x"},
        TextAddressCase{"ends a sentence", "see (HTTPS://up.example/a?b=1).",
                        "HTTPS://up.example/a?b=1"},
        TextAddressCase{"in angle brackets", "<http://b.example/> tail", "http://b.example/"},
        TextAddressCase{"without a host", "http:// then http:///x then ftp://f.example", ""},
        TextAddressCase{"other schemes", "file://c/x mailto:a@b.example", ""},
        TextAddressCase{"a control character fails every address it follows",
                        "http://ahttp://b\xC2\x85 http://c", "http://c"},
        TextAddressCase{"after a control character", "http://a\xC2\x85http://b", "http://b"}),
    testing_names::FromWhat());

struct WebAddressCase {
  const char* what;
  std::string address;
  bool web;
};

class WebAddressCheck : public testing::TestWithParam<WebAddressCase> {};

TEST_P(WebAddressCheck, TakesHttpAndHttpsWithAHostAndNoControlCharacter) {
  EXPECT_EQ(IsWebAddress(GetParam().address), GetParam().web);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WebAddressCheck,
    testing::Values(WebAddressCase{"http", "http://a.example/x", true},
                    WebAddressCase{"https in capitals", "HTTPS://a.example", true},
                    WebAddressCase{"a letter beyond ascii", "http://a.example/caf\xC3\xA9", true},
                    WebAddressCase{"no host", "http:///x", false},
                    WebAddressCase{"another scheme", "ftp://a.example/", false},
                    WebAddressCase{"a line break", "http://a.example/\nx", false},
                    WebAddressCase{"a next-line control", "http://a.example/\xC2\x85x", false},
                    WebAddressCase{"the last C1 control", "http://a.example/\xC2\x9F", false}),
    testing_names::FromWhat());

}  // namespace
}  // namespace core
