// The help page against the program: every stored value it lists with the default the program
// has, and only switches the command line reads. A page that drifts fails the build.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/program/CommandLine.h"
#include "core/settings/SettingsValueText.h"
#include "core/settings/TickerSettings.h"

namespace core {
namespace {

std::string HelpPage() {
  std::ifstream in(DRIFTLINE_HELP_PAGE, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Name to default as the page's table of stored values shows them; "" for "empty".
std::map<std::string, std::string> DefaultsOnThePage() {
  const std::string page = HelpPage();
  const auto start = page.find("id=\"stored-values\"");
  if (start == std::string::npos) return {};
  const std::string table = page.substr(start, page.find("</table>", start) - start);
  static const std::regex row(
      R"(<tr><td><code>(\w+)</code></td><td>(?:<code>([^<]*)</code>|<i>empty</i>)</td>)");
  std::map<std::string, std::string> defaults;
  for (auto it = std::sregex_iterator(table.begin(), table.end(), row);
       it != std::sregex_iterator(); ++it) {
    defaults[(*it)[1]] = (*it)[2];
  }
  return defaults;
}

std::map<std::string, std::string> ProgramDefaults() {
  std::map<std::string, std::string> defaults{
      {std::string(kActiveTabName), std::to_string(kActiveTabDefault)}};
  const TickerSettings built{};
  for (const TickerSetting& setting : TickerSettingList()) {
    defaults[std::string(setting.name)] = ValueToText(ValueOf(built, setting)).value_or("?");
  }
  return defaults;
}

std::vector<std::string> Names(const std::map<std::string, std::string>& values) {
  std::vector<std::string> names;
  names.reserve(values.size());
  for (const auto& [name, value] : values) names.push_back(name);
  return names;
}

class HelpPageStoredValue : public ::testing::TestWithParam<std::string> {};

TEST_P(HelpPageStoredValue, IsListedWithTheProgramsDefault) {
  const auto page = DefaultsOnThePage();
  const auto found = page.find(GetParam());
  ASSERT_NE(found, page.end()) << "not on the page";
  EXPECT_EQ(found->second, ProgramDefaults().at(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Program, HelpPageStoredValue,
                         ::testing::ValuesIn(Names(ProgramDefaults())),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

TEST(HelpPage, ListsNoStoredValueTheProgramLacks) {
  const auto program = ProgramDefaults();
  const auto page = DefaultsOnThePage();
  ASSERT_FALSE(page.empty()) << "no table of stored values in " << DRIFTLINE_HELP_PAGE;
  for (const auto& [name, shown] : page) EXPECT_TRUE(program.contains(name)) << name;
}

// The administrators' section names the setup program's switches, which are not the bar's.
std::string PageWithoutSetupSwitches() {
  std::string page = HelpPage();
  const auto start = page.find("<h2 id=\"administrators\"");
  if (start == std::string::npos) return page;
  const auto end = page.find("<h2", start + 3);
  page.erase(start, end == std::string::npos ? std::string::npos : end - start);
  return page;
}

TEST(HelpPage, NamesOnlySwitchesTheCommandLineReads) {
  const std::string page = PageWithoutSetupSwitches();
  static const std::regex switchName(R"(<code>/([A-Za-z]+)</code>)");
  int named = 0;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), switchName);
       it != std::sregex_iterator(); ++it, ++named) {
    CommandLineState state;
    // With a value after it, as the numeric switches need; no file exists.
    const ParameterKind kind =
        ReadParameter(state, "/" + (*it)[1].str() + "1", [](const std::string&) { return false; });
    EXPECT_TRUE(kind != ParameterKind::Unknown && kind != ParameterKind::File &&
                kind != ParameterKind::Url)
        << (*it)[1];
  }
  EXPECT_GE(named, 8);
}

}  // namespace
}  // namespace core
