#include "core/settings/SettingsValueText.h"
#include "core/settings/ValueTable.h"

#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace core {
namespace {

using namespace std::string_literals;

TEST(ValueTable, KeepsFirstSetOrderAndNamesThatDifferOnlyInAsciiCaseAreOne) {
  ValueTable table;
  table.Set("ActiveTab", Value{0});
  table.Set("FontName", Value{"Arial"s});
  table.Set("ACTIVETAB", Value{"3"s});  // replaced in place, kind and all
  table.Set("\xC4rger", Value{1});
  table.Set("\xE4rger", Value{2});  // bytes beyond ASCII are compared as they are

  ASSERT_EQ(table.Size(), 4U);
  EXPECT_EQ(table.begin()->Name(), "ActiveTab");
  EXPECT_EQ(table.begin()->value, Value{"3"s});
  EXPECT_EQ(*table.Find("fontname"), Value{"Arial"s});

  Value untouched{"caller's"s};
  EXPECT_FALSE(table.Get("Left", untouched));
  EXPECT_EQ(untouched, Value{"caller's"s});
}

TEST(SettingsValueText, NumbersAreTheSameTextInEveryLocale) {
  EXPECT_EQ(ValueToText(Value{-16777201}), "-16777201");
  EXPECT_EQ(ValueToText(Value{2.5}), "2.5");
  EXPECT_EQ(ValueToText(Value{std::numeric_limits<double>::quiet_NaN()}), std::nullopt);
  for (const double number : {0.1, -1e300, 5e-324}) {
    EXPECT_EQ(ParseStoredFloat(*ValueToText(Value{number})), number);
  }
  EXPECT_EQ(ValueFromText(" 42 ", Value{1}), Value{42});
  EXPECT_EQ(ValueFromText("2147483648", Value{1}), Value{1});  // beyond 32 bits: no number
  EXPECT_EQ(ValueFromText("7", Value{false}), Value{true});
  EXPECT_EQ(ValueFromText("yes", Value{true}), Value{true});
  EXPECT_EQ(ValueFromText("1,5", Value{0.0}), Value{0.0});  // a decimal comma is no number
}

}  // namespace
}  // namespace core
