// The policy template in packaging/ against the program: well-formed, what scripts/policy-template
// makes of the table now, and a policy for every value the bar reads by policy.

#include "core/settings/PolicyTemplate.h"

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "core/settings/Policies.h"

namespace core {
namespace {

const std::string kAdmx = "Driftline.admx";

std::string Packaged(const std::string& name) {
  std::ifstream in(std::string(DRIFTLINE_PACKAGING) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class PolicyTemplateFile : public testing::TestWithParam<std::string> {};

TEST_P(PolicyTemplateFile, IsWellFormed) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_string(Packaged(GetParam()).c_str())) << GetParam();
}

TEST_P(PolicyTemplateFile, IsWhatTheScriptMakesOfTheTable) {
  const std::string made = GetParam() == kAdmx ? PolicyDefinitions() : PolicyTexts();
  EXPECT_EQ(Packaged(GetParam()), made) << "run scripts/policy-template";
}

INSTANTIATE_TEST_SUITE_P(Packaging, PolicyTemplateFile,
                         testing::Values(kAdmx, "en-US/Driftline.adml"), [](const auto& info) {
                           return info.param == kAdmx ? "Definitions" : "Texts";
                         });

TEST(PolicyTemplate, HasAPolicyForEveryValueOfTheTable) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(Packaged(kAdmx).c_str()));
  std::set<std::string> named;
  for (const pugi::xml_node policy : document.child("policyDefinitions").child("policies")) {
    const pugi::xml_node field = policy.child("elements").first_child();
    named.insert((field ? field : policy).attribute("valueName").value());
  }
  for (const TickerSetting& setting : TickerSettingList()) {
    EXPECT_TRUE(named.contains(std::string(setting.name))) << setting.name;
  }
  EXPECT_TRUE(named.contains(std::string(kDisableOptionsName)));
  EXPECT_TRUE(named.contains(std::string(kDisableExitName)));
}

}  // namespace
}  // namespace core
