#include "core/settings/TickerSettings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace core {
namespace {

using namespace std::string_literals;

struct StoredDefault {
  std::string name;
  Value value;
};

// In store order: the bar's defaults step puts ActiveTab first, WriteTickerSettings the rest.
const std::vector<StoredDefault> kStoredDefaults = {
    {"ActiveTab", Value{0}},
    {"Top", Value{0}},
    {"Left", Value{0}},
    {"Bottom", Value{false}},
    {"Float", Value{false}},
    {"FloatTop", Value{100}},
    {"FloatLeft", Value{100}},
    {"FloatRight", Value{450}},
    {"FontName", Value{"MS Sans Serif"s}},
    {"FontSize", Value{12}},
    {"FontColor", Value{128}},
    {"FontBold", Value{false}},
    {"FontItalic", Value{false}},
    {"UseLogo", Value{false}},
    {"LogoRight", Value{false}},
    {"LogoFile", Value{""s}},
    {"AlwaysOnTop", Value{true}},
    {"StayOnTopOfFullscreen", Value{false}},
    {"DoNotAdjustDesktop", Value{false}},
    {"Frame", Value{true}},
    {"HideTrayicon", Value{false}},
    {"TotallyHide", Value{false}},
    {"File", Value{""s}},
    {"UseFileUrl", Value{false}},
    {"FileUrl", Value{""s}},
    {"LinesToLoad", Value{3}},
    {"LoadFirstLines", Value{false}},
    {"LoadLastLines", Value{false}},
    {"UseComment", Value{false}},
    {"CommentStr", Value{""s}},
    {"Amount", Value{1}},
    {"Color", Value{-16777201}},
    {"Delay", Value{1}},
    {"Vertical", Value{false}},
    {"VertScrollAmount", Value{1}},
    {"VertScrollDelay", Value{1}},
    {"VertLineDelay", Value{3000}},
    {"UseAutoReload", Value{false}},
    {"GetFileDelay", Value{0}},
    {"HideOnMissing", Value{false}},
    {"HideOnEmpty", Value{false}},
    {"HideOnTimer", Value{false}},
    {"HideTimeDelay", Value{0}},
    {"UnPauseOnTimer", Value{false}},
    {"PauseTimeout", Value{0}},
    {"ShowOnChange", Value{true}},
    {"SoundOnChange", Value{false}},
    {"WavFile", Value{""s}},
    {"ShowOnMouseOver", Value{true}},
    {"FeedSeparator", Value{"  +++"s}},
    {"ShowSourceNames", Value{true}},
};

ValueTable DefaultTable() {
  ValueTable table;
  table.Set(kActiveTabName, Value{kActiveTabDefault});
  StoreTickerSettings(TickerSettings{}, table);
  return table;
}

class TickerSettingsDefault : public ::testing::TestWithParam<std::size_t> {};

TEST_P(TickerSettingsDefault, StandsInWriteOrderWithItsTypeAndDefault) {
  const ValueTable table = DefaultTable();
  ASSERT_EQ(table.Size(), kStoredDefaults.size());
  const auto& entry = *(table.begin() + static_cast<std::ptrdiff_t>(GetParam()));
  EXPECT_EQ(entry.Name(), kStoredDefaults[GetParam()].name);
  EXPECT_EQ(entry.value, kStoredDefaults[GetParam()].value);
}

INSTANTIATE_TEST_SUITE_P(EveryStoredName, TickerSettingsDefault,
                         ::testing::Range<std::size_t>(0, kStoredDefaults.size()),
                         [](const auto& info) { return kStoredDefaults[info.param].name; });

TEST(TickerSettings, ComeBackFromTheTableAsStored) {
  TickerSettings changed;
  changed.Float = true;
  changed.FontName = "Tahoma";
  ValueTable table;
  StoreTickerSettings(changed, table);
  table.Set("FontSize", Value{"huge"s});  // another kind than the field's: the default stays
  const TickerSettings read = TickerSettingsFrom(table);
  EXPECT_TRUE(read.Float);
  EXPECT_EQ(read.FontName, "Tahoma");
  EXPECT_EQ(read.FontSize, 12);
}

struct Clamp {
  std::string name;
  std::int32_t stored;
  std::int32_t kept;
};

void PrintTo(const Clamp& clamp, std::ostream* out) {
  *out << clamp.name << " " << clamp.stored;
}

class TickerSettingsClamp : public ::testing::TestWithParam<Clamp> {};

TEST_P(TickerSettingsClamp, BringsStoredValuesIntoTheDialogsRangeAndSaysSo) {
  const Clamp& clamp = GetParam();
  ValueTable table = DefaultTable();
  table.Set(clamp.name, Value{clamp.stored});
  const std::vector<std::string> messages = ClampTickerValues(table);
  EXPECT_EQ(*table.Find(clamp.name), Value{clamp.kept});
  if (clamp.stored == clamp.kept) {
    EXPECT_TRUE(messages.empty());
  } else {
    EXPECT_EQ(messages, std::vector<std::string>{
                            "Settings: " + clamp.name + " " + std::to_string(clamp.stored) +
                            " out of range, using " + std::to_string(clamp.kept)});
  }
}

INSTANTIATE_TEST_SUITE_P(Ranges, TickerSettingsClamp,
                         ::testing::Values(Clamp{"Amount", 0, 1}, Clamp{"Amount", 300, 20},
                                           Clamp{"Amount", 20, 20}, Clamp{"Delay", -1, 1},
                                           Clamp{"LinesToLoad", 1000001, 1000000},
                                           Clamp{"FontSize", 0, 1}, Clamp{"FontSize", 145, 144},
                                           Clamp{"VertLineDelay", -1, 0},
                                           Clamp{"HideTimeDelay", 0, 0}, Clamp{"ActiveTab", 9, 9},
                                           Clamp{"Top", -32000, -32000}));

}  // namespace
}  // namespace core
