// Policies: the machine's first, then the user's, checked and clamped as stored values; laid
// over the user's values without ever reaching the store.

#include "core/settings/Policies.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TestNames.h"

namespace core {
namespace {

using namespace std::string_literals;
using Data = std::map<std::string, RegistryData>;

RegistryData Dword(std::uint32_t value) {
  return {RegistryType::Dword, value, {}};
}
RegistryData Text(std::string text) {
  return {RegistryType::String, 0, std::move(text)};
}
const RegistryData kUnreadable{RegistryType::Other, 0, "unreadable"};

class PolicyKey : public RegistryKey {
 public:
  explicit PolicyKey(Data values) : values_(std::move(values)) {}
  RegistryData Read(const std::string& name) override {
    const auto found = values_.find(name);
    if (found == values_.end()) return {};
    if (found->second.text == kUnreadable.text) throw std::runtime_error("access denied");
    return found->second;
  }
  RegistryType TypeOf(const std::string& name) override { return Read(name).type; }
  bool Write(const std::string& /*name*/, const RegistryData& /*data*/) override { return false; }

 private:
  Data values_;
};

struct ReadCase {
  const char* what;
  Data machine;
  Data user;
  std::string name;
  std::optional<Value> expected;  // nullopt: the stored value stays
  std::string logged;
};

std::optional<Value> Result(const Policies& policies, const std::string& name) {
  if (name == kDisableOptionsName) return Value{policies.DisableOptions};
  if (name == kDisableExitName) return Value{policies.DisableExit};
  const Value* value = policies.values.Find(name);
  return value ? std::optional<Value>(*value) : std::nullopt;
}

class PolicyReading : public testing::TestWithParam<ReadCase> {};

TEST_P(PolicyReading, TakesTheFirstValidValue) {
  const ReadCase& c = GetParam();
  PolicyKey machine(c.machine);
  PolicyKey user(c.user);
  const core::PolicyReading reading = ReadPolicies({&machine, &user});
  EXPECT_EQ(Result(reading.policies, c.name), c.expected);
  if (!c.logged.empty()) {
    EXPECT_THAT(reading.log, testing::Contains(c.logged));
  }
}

const std::string kKey = "\\Software\\Policies\\Quorvane\\Driftline\\";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PolicyReading, testing::Values(
    ReadCase{"Machine before user", {{"FontSize", Dword(20)}}, {{"FontSize", Dword(30)}},
             "FontSize", Value{20}, "Policy: FontSize set by HKEY_LOCAL_MACHINE"},
    ReadCase{"User before the stored value", {}, {{"FontSize", Dword(30)}}, "FontSize", Value{30},
             "Policy: FontSize set by HKEY_CURRENT_USER"},
    ReadCase{"None leaves the stored value", {}, {}, "FontSize", std::nullopt, ""},
    ReadCase{"Out of range is clamped", {{"FontSize", Dword(0)}}, {}, "FontSize", Value{1},
             "Policy: FontSize 0 out of range, using 1"},
    ReadCase{"FontSize is kept to the font dialog's sizes", {{"FontSize", Dword(500)}}, {},
             "FontSize", Value{144}, "Policy: FontSize 500 out of range, using 144"},
    ReadCase{"A DWORD that cannot be negative is unsigned", {{"GetFileDelay", Dword(~0U)}}, {},
             "GetFileDelay", Value{INT32_MAX},
             "Policy: GetFileDelay 4294967295 out of range, using 2147483647"},
    ReadCase{"A system colour stays negative", {{"Color", Dword(0xFF00000FU)}}, {}, "Color",
             Value{kColorBtnFace}, ""},
    ReadCase{"A number as text", {{"LinesToLoad", Text("7")}}, {}, "LinesToLoad", Value{7}, ""},
    ReadCase{"Text that is no number is ignored", {{"FontSize", Text("big")}},
             {{"FontSize", Dword(30)}}, "FontSize", Value{30},
             "Policy: HKEY_LOCAL_MACHINE" + kKey + "FontSize is not a valid value, ignored"},
    ReadCase{"A number where text is wanted is ignored", {{"FileUrl", Dword(5)}}, {}, "FileUrl",
             std::nullopt,
             "Policy: HKEY_LOCAL_MACHINE" + kKey + "FileUrl is not a valid value, ignored"},
    ReadCase{"An unreadable value is ignored", {{"FileUrl", kUnreadable}},
             {{"FileUrl", Text("http://b/")}}, "FileUrl", Value{"http://b/"s},
             "Policy: cannot read HKEY_LOCAL_MACHINE" + kKey + "FileUrl: access denied, ignored"},
    ReadCase{"On from a DWORD", {{"UseFileUrl", Dword(1)}}, {}, "UseFileUrl", Value{true}, ""},
    ReadCase{"DisableOptions", {{"DisableOptions", Dword(1)}}, {}, "DisableOptions", Value{true},
             ""},
    ReadCase{"DisableExit", {}, {{"DisableExit", Dword(1)}}, "DisableExit", Value{true}, ""}),
    testing_names::FromWhat());
// clang-format on

Policies FileUrlPolicy() {
  Policies policies;
  policies.values.Set("FileUrl", Value{"http://company/news"s});
  return policies;
}

using Layer = PolicyLayer;
using Values = TickerSettings;

struct LayerCase {
  const char* what;
  std::function<std::string(PolicyLayer& layer, const TickerSettings& user)> outcome;
  std::string expected;
};

class PolicyLayers : public testing::TestWithParam<LayerCase> {};

TEST_P(PolicyLayers, KeepTheUsersValuesUnderneath) {
  TickerSettings user;
  user.FileUrl = "http://mine/";
  PolicyLayer layer;
  EXPECT_EQ(GetParam().outcome(layer, user), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PolicyLayers, testing::Values(
    LayerCase{"The bar uses the policy", [](Layer& l, const Values& u) {
      return l.Replace(FileUrlPolicy(), u).FileUrl; }, "http://company/news"},
    LayerCase{"A change of a set value is overruled", [](Layer& l, const Values& u) {
      TickerSettings used = l.Replace(FileUrlPolicy(), u);
      used.FileUrl = "http://other/";
      return l.Use(used).FileUrl; }, "http://company/news"},
    LayerCase{"The store keeps the users value", [](Layer& l, const Values& u) {
      return l.Stored(l.Replace(FileUrlPolicy(), u)).FileUrl; }, "http://mine/"},
    LayerCase{"The store takes a change no policy sets", [](Layer& l, const Values& u) {
      TickerSettings used = l.Replace(FileUrlPolicy(), u);
      used.FontName = "Arial";
      return l.Stored(used).FontName; }, "Arial"},
    LayerCase{"A removed policy brings the users value back", [](Layer& l, const Values& u) {
      return l.Replace({}, l.Replace(FileUrlPolicy(), u)).FileUrl; }, "http://mine/"}),
    testing_names::FromWhat());
// clang-format on

}  // namespace
}  // namespace core
