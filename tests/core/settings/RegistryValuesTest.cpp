#include "core/settings/RegistryValues.h"

#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace core {
namespace {

using namespace std::string_literals;

RegistryData Dword(std::uint32_t value) {
  return RegistryData{RegistryType::Dword, value, {}};
}
RegistryData Text(std::string text) {
  return RegistryData{RegistryType::String, 0, std::move(text)};
}

std::string Planned(const Value& value, RegistryType existing) {
  const auto plan = PlanRegistryWrite(value, existing);
  if (!plan) return "refused";
  if (plan->type == RegistryType::Dword) return "dword " + std::to_string(plan->dword);
  return "string " + plan->text;
}

TEST(RegistryValues, IntegersAreDwordsUnlessAStringIsThereAndEverythingElseIsAString) {
  EXPECT_EQ(Planned(Value{-16777201}, RegistryType::Absent), "dword 4278190095");
  EXPECT_EQ(Planned(Value{-5}, RegistryType::String), "string -5");
  EXPECT_EQ(Planned(Value{true}, RegistryType::Dword), "string 1");
  EXPECT_EQ(Planned(Value{"MS Sans Serif"s}, RegistryType::Dword), "string MS Sans Serif");
  EXPECT_EQ(Planned(Value{0.25}, RegistryType::Absent), "string 0.25");
  EXPECT_EQ(Planned(Value{std::numeric_limits<double>::infinity()}, {}), "refused");
  EXPECT_EQ(Planned(Value{"cut\0short"s}, {}), "refused");
}

TEST(RegistryValues, ReadsNumbersFromDwordsOrStringsAndFailsOnOtherTypes) {
  EXPECT_EQ(ReadRegistryValue(Value{0}, Dword(0xFFFFFFFFU)), Value{-1});
  EXPECT_EQ(ReadRegistryValue(Value{0}, Text("42")), Value{42});
  EXPECT_EQ(ReadRegistryValue(Value{3}, Text("three")), Value{3});  // the default stays
  EXPECT_EQ(ReadRegistryValue(Value{false}, Dword(2)), Value{true});
  EXPECT_EQ(ReadRegistryValue(Value{true}, Text("0")), Value{false});
  EXPECT_EQ(ReadRegistryValue(Value{0.0}, Text("-1.5")), Value{-1.5});
  EXPECT_EQ(ReadRegistryValue(Value{9}, RegistryData{}), Value{9});  // absent
  EXPECT_EQ(ReadRegistryValue(Value{1}, RegistryData{RegistryType::Other, 0, {}}), std::nullopt);
  EXPECT_EQ(ReadRegistryValue(Value{"x"s}, Dword(1)), std::nullopt);
}

TEST(RegistryValues, DecodesOnlyWhatTheBytesHold) {
  EXPECT_EQ(DecodeRegistryData(RegistryType::Dword, "\x0F\x00\x00\xFF"s).dword, 0xFF00000FU);
  EXPECT_EQ(DecodeRegistryData(RegistryType::Dword, "\x01\x02"s).type, RegistryType::Other);
  EXPECT_EQ(DecodeRegistryData(RegistryType::String, "Arial\0junk"s).text, "Arial");
  EXPECT_EQ(
      DecodeRegistryData(RegistryType::String, std::string(kMaxRegistryDataSize + 1, 'x')).type,
      RegistryType::Other);
  EXPECT_EQ(EncodeRegistryData(Dword(0xFF00000FU)), "\x0F\x00\x00\xFF"s);
  EXPECT_EQ(EncodeRegistryData(Text("1")), "1\0"s);
}

}  // namespace
}  // namespace core
