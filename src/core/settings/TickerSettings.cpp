#include "core/settings/TickerSettings.h"

#include <array>
#include <limits>
#include <string>
#include <type_traits>

namespace core {
namespace {

using T = TickerSettings;

constexpr std::array kTickerSettings{
    TickerSetting{"Top", &T::Top},
    TickerSetting{"Left", &T::Left},
    TickerSetting{"Bottom", &T::Bottom},
    TickerSetting{"Float", &T::Float},
    TickerSetting{"FloatTop", &T::FloatTop},
    TickerSetting{"FloatLeft", &T::FloatLeft},
    TickerSetting{"FloatRight", &T::FloatRight},
    TickerSetting{"FontName", &T::FontName},
    TickerSetting{"FontSize", &T::FontSize},
    TickerSetting{"FontColor", &T::FontColor},
    TickerSetting{"FontBold", &T::FontBold},
    TickerSetting{"FontItalic", &T::FontItalic},
    TickerSetting{"UseLogo", &T::UseLogo},
    TickerSetting{"LogoRight", &T::LogoRight},
    TickerSetting{"LogoFile", &T::LogoFile},
    TickerSetting{"AlwaysOnTop", &T::AlwaysOnTop},
    TickerSetting{"StayOnTopOfFullscreen", &T::StayOnTopOfFullscreen},
    TickerSetting{"DoNotAdjustDesktop", &T::DoNotAdjustDesktop},
    TickerSetting{"Frame", &T::Frame},
    TickerSetting{"HideTrayicon", &T::HideTrayicon},
    TickerSetting{"TotallyHide", &T::TotallyHide},
    TickerSetting{"File", &T::File},
    TickerSetting{"UseFileUrl", &T::UseFileUrl},
    TickerSetting{"FileUrl", &T::FileUrl},
    TickerSetting{"LinesToLoad", &T::LinesToLoad},
    TickerSetting{"LoadFirstLines", &T::LoadFirstLines},
    TickerSetting{"LoadLastLines", &T::LoadLastLines},
    TickerSetting{"UseComment", &T::UseComment},
    TickerSetting{"CommentStr", &T::CommentStr},
    TickerSetting{"Amount", &T::Amount},
    TickerSetting{"Color", &T::Color},
    TickerSetting{"Delay", &T::Delay},
    TickerSetting{"Vertical", &T::Vertical},
    TickerSetting{"VertScrollAmount", &T::VertScrollAmount},
    TickerSetting{"VertScrollDelay", &T::VertScrollDelay},
    TickerSetting{"VertLineDelay", &T::VertLineDelay},
    TickerSetting{"UseAutoReload", &T::UseAutoReload},
    TickerSetting{"GetFileDelay", &T::GetFileDelay},
    TickerSetting{"HideOnMissing", &T::HideOnMissing},
    TickerSetting{"HideOnEmpty", &T::HideOnEmpty},
    TickerSetting{"HideOnTimer", &T::HideOnTimer},
    TickerSetting{"HideTimeDelay", &T::HideTimeDelay},
    TickerSetting{"UnPauseOnTimer", &T::UnPauseOnTimer},
    TickerSetting{"PauseTimeout", &T::PauseTimeout},
    TickerSetting{"ShowOnChange", &T::ShowOnChange},
    TickerSetting{"SoundOnChange", &T::SoundOnChange},
    TickerSetting{"WavFile", &T::WavFile},
    TickerSetting{"ShowOnMouseOver", &T::ShowOnMouseOver},
    TickerSetting{"FeedSeparator", &T::FeedSeparator},
    TickerSetting{"ShowSourceNames", &T::ShowSourceNames},
};

struct Range {
  std::string_view name;
  std::int32_t low;
  std::int32_t high;
};

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

// The options dialog's ranges. Timer intervals may be 0 (the timer never fires), but never
// negative. ActiveTab is kept as stored: the dialog opens on "Main" for a page it has not.
constexpr std::array kRanges{
    Range{"FontSize", kFontSizeRange.low, kFontSizeRange.high},
    Range{"LinesToLoad", 1, 1000000},
    Range{"Amount", kAmountRange.low, kAmountRange.high},
    Range{"Delay", 1, kMaxInt},
    Range{"VertScrollAmount", 1, kMaxInt},
    Range{"VertScrollDelay", 0, kMaxInt},
    Range{"VertLineDelay", 0, kMaxInt},
    Range{"GetFileDelay", 0, kMaxInt},
    Range{"HideTimeDelay", 0, kMaxInt},
    Range{"PauseTimeout", 0, kMaxInt},
};

std::string OutOfRange(std::string_view name, const std::string& stored, std::int32_t used) {
  return std::string(name) + " " + stored + " out of range, using " + std::to_string(used);
}

}  // namespace

std::span<const TickerSetting> TickerSettingList() {
  return kTickerSettings;
}

Value ValueOf(const TickerSettings& settings, const TickerSetting& setting) {
  return std::visit([&](auto field) { return Value{settings.*field}; }, setting.field);
}

void StoreTickerSettings(const TickerSettings& settings, ValueTable& table) {
  for (const TickerSetting& setting : kTickerSettings) {
    table.Set(setting.name, ValueOf(settings, setting));
  }
}

TickerSettings TickerSettingsFrom(const ValueTable& table, const TickerSettings& defaults) {
  TickerSettings settings = defaults;
  for (const TickerSetting& setting : kTickerSettings) {
    const Value* value = table.Find(setting.name);
    if (value == nullptr) continue;
    std::visit(
        [&](auto field) {
          using Field = std::remove_reference_t<decltype(settings.*field)>;
          if (const Field* stored = std::get_if<Field>(value)) settings.*field = *stored;
        },
        setting.field);
  }
  return settings;
}

std::optional<IntRange> ClampRangeOf(std::string_view name) {
  for (const Range& range : kRanges) {
    if (SameName(range.name, name)) return IntRange{range.low, range.high};
  }
  return std::nullopt;
}

DwordInteger IntegerOfDword(std::string_view name, std::uint32_t dword) {
  const std::optional<IntRange> range = ClampRangeOf(name);
  if (!range || range->low < 0 || dword <= static_cast<std::uint32_t>(kMaxInt)) {
    return {static_cast<std::int32_t>(dword), {}};
  }
  return {range->high, OutOfRange(name, std::to_string(dword), range->high)};
}

std::vector<std::string> ClampTickerValues(ValueTable& table, std::string_view logPrefix) {
  std::vector<std::string> messages;
  for (const Range& range : kRanges) {
    Value* value = table.Find(range.name);
    auto* number = value == nullptr ? nullptr : std::get_if<std::int32_t>(value);
    if (number == nullptr || (*number >= range.low && *number <= range.high)) continue;
    const std::int32_t clamped = *number < range.low ? range.low : range.high;
    messages.push_back(std::string(logPrefix) +
                       OutOfRange(range.name, std::to_string(*number), clamped));
    *number = clamped;
  }
  return messages;
}

}  // namespace core
