// The policy template in packaging/: well-formed, what scripts/policy-template makes of the table
// now, and a policy for every value the bar reads by policy.

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

std::string Packaged(const std::string& name) {
  std::ifstream in(std::string(DRIFTLINE_PACKAGING) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(PolicyTemplate, IsWellFormedAndWhatTheScriptMakesOfTheTable) {
  pugi::xml_document texts;
  EXPECT_TRUE(texts.load_string(Packaged("en-US/Driftline.adml").c_str()));
  EXPECT_EQ(Packaged("en-US/Driftline.adml"), PolicyTexts()) << "run scripts/policy-template";
  EXPECT_EQ(Packaged("Driftline.admx"), PolicyDefinitions()) << "run scripts/policy-template";
}

TEST(PolicyTemplate, HasAPolicyForEveryValueOfTheTable) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(Packaged("Driftline.admx").c_str()));
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
