#include "core/web/Redirects.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TestNames.h"

namespace core {
namespace {

struct RedirectCase {
  const char* what;
  std::vector<std::pair<int, std::string>> answers;  // each hop's status and Location
  std::string expected;  // the address asked last, or "failed: " and the start of the error
  std::string movedTo;
  std::string first = "http://a/x";
};

class FollowsRedirects : public testing::TestWithParam<RedirectCase> {};

TEST_P(FollowsRedirects, HopByHop) {
  const RedirectCase& row = GetParam();
  RedirectChain chain(row.first);
  std::string outcome;
  for (const auto& [status, location] : row.answers) {
    if (!chain.Follow(status, location)) {
      outcome = "failed: " + chain.Error().substr(0, row.expected.size() - 8);
      break;
    }
  }
  EXPECT_EQ(outcome.empty() ? chain.Current() : outcome, row.expected);
  EXPECT_EQ(chain.MovedTo().value_or(""), row.movedTo);
}

const std::vector<std::pair<int, std::string>> kFive{
    {302, "/1"}, {302, "/2"}, {302, "/3"}, {302, "/4"}, {302, "/5"}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, FollowsRedirects, testing::Values(
    RedirectCase{"a relative target without the password", {{302, "../z"}}, "http://a/z", "", "http://u:pw@a/x/y"},
    RedirectCase{"five hops are followed", kFive, "http://a/5"},
    RedirectCase{"a sixth is a failure", [] { auto six = kFive; six.emplace_back(302, "/6"); return six; }(), "failed: more than 5"},
    RedirectCase{"a target asked before is a loop", {{302, "/y"}, {307, "http://a/x"}}, "failed: redirect loop"},
    RedirectCase{"no web address", {{302, "file:///etc/passwd"}}, "failed: redirect from"},
    RedirectCase{"no target", {{302, ""}}, "failed: HTTP status 302"},
    RedirectCase{"moved for good", {{301, "https://b/x"}}, "https://b/x", "https://b/x"},
    RedirectCase{"308 is permanent too", {{308, "/y"}}, "http://a/y", "http://a/y"},
    RedirectCase{"permanent after temporary moves nothing", {{302, "/y"}, {301, "/z"}}, "http://a/z"}),
    testing_names::FromWhat());
// clang-format on

}  // namespace
}  // namespace core
