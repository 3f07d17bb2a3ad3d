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
  std::string first;
  std::vector<std::pair<int, std::string>> answers;  // each hop's status and Location
  std::string expected;  // the address asked last, or "failed: " and the start of the error
  std::string movedTo;
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

std::vector<std::pair<int, std::string>> Hops(int count) {
  std::vector<std::pair<int, std::string>> hops;
  for (int i = 1; i <= count; ++i) hops.emplace_back(302, "/" + std::to_string(i));
  return hops;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, FollowsRedirects, testing::Values(
    RedirectCase{"a relative target is resolved and the password stays behind",
                 "http://u:pw@a/x/y", {{302, "../z"}}, "http://a/z", ""},
    RedirectCase{"five hops are followed", "http://a/0", Hops(5), "http://a/5", ""},
    RedirectCase{"a sixth is a failure", "http://a/0", Hops(6), "failed: more than 5", ""},
    RedirectCase{"a target asked before is a loop", "http://a/x",
                 {{302, "/y"}, {307, "http://a/x"}}, "failed: redirect loop", ""},
    RedirectCase{"a target that is no web address is refused", "http://a/x",
                 {{302, "file:///etc/passwd"}}, "failed: redirect from", ""},
    RedirectCase{"a redirect without a target fails", "http://a/x", {{302, ""}},
                 "failed: HTTP status 302", ""},
    RedirectCase{"the first address moved for good", "http://a/x", {{301, "https://b/x"}},
                 "https://b/x", "https://b/x"},
    RedirectCase{"308 is permanent too", "http://a/x", {{308, "/y"}}, "http://a/y", "http://a/y"},
    RedirectCase{"a permanent redirect after a temporary one moves nothing", "http://a/x",
                 {{302, "/y"}, {301, "/z"}}, "http://a/z", ""}),
    testing_names::FromWhat());
// clang-format on

}  // namespace
}  // namespace core
