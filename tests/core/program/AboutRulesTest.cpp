#include "core/program/AboutRules.h"

#include <gtest/gtest.h>

#include "TestNames.h"

namespace core {
namespace {

struct HelpCase {
  const char* what;
  const char* program;
  const char* page;
};

class TheHelpPage : public testing::TestWithParam<HelpCase> {};

TEST_P(TheHelpPage, IsTheProgramsNameWithHtm) {
  EXPECT_EQ(HelpPagePath(GetParam().program), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TheHelpPage,
    testing::Values(HelpCase{"dotted folder", "D:\\My.Tools\\ticker2.exe",
                             "D:\\My.Tools\\ticker2.htm"},
                    HelpCase{"no extension", "D:\\My.Tools\\ticker", "D:\\My.Tools\\ticker.htm"},
                    HelpCase{"last dot only", "C:\\bar.v2.exe", "C:\\bar.v2.htm"}),
    testing_names::FromWhat());

}  // namespace
}  // namespace core
