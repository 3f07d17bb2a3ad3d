#pragma once
// The stored ticker values: one field per stored name, with the built-in defaults, and the list
// that gives every name its type and the order in which the bar writes them into the store.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/settings/ValueTable.h"

namespace core {

// COLOR_BTNFACE as a system colour value (0xFF000000 plus the index 15).
inline constexpr std::int32_t kColorBtnFace = -16777201;

struct TickerSettings {
  std::int32_t Top = 0;
  std::int32_t Left = 0;
  bool Bottom = false;
  bool Float = false;  // wins over Bottom
  std::int32_t FloatTop = 100;
  std::int32_t FloatLeft = 100;
  std::int32_t FloatRight = 450;
  std::string FontName = "MS Sans Serif";
  std::int32_t FontSize = 12;
  std::int32_t FontColor = 128;  // maroon
  bool FontBold = false;
  bool FontItalic = false;
  bool UseLogo = false;
  bool LogoRight = false;
  std::string LogoFile;
  bool AlwaysOnTop = true;
  bool StayOnTopOfFullscreen = false;
  bool DoNotAdjustDesktop = false;
  bool Frame = true;
  bool HideTrayicon = false;
  bool TotallyHide = false;
  std::string File;
  bool UseFileUrl = false;
  std::string FileUrl;
  std::int32_t LinesToLoad = 3;
  bool LoadFirstLines = false;
  bool LoadLastLines = false;
  bool UseComment = false;
  std::string CommentStr;
  std::string FeedSeparator = "  +++";  // ends each headline of a feed
  std::int32_t Amount = 1;
  std::int32_t Color = kColorBtnFace;
  std::int32_t Delay = 1;
  bool Vertical = false;
  std::int32_t VertScrollAmount = 1;
  std::int32_t VertScrollDelay = 1;
  std::int32_t VertLineDelay = 3000;
  bool UseAutoReload = false;
  std::int32_t GetFileDelay = 0;
  bool HideOnMissing = false;
  bool HideOnEmpty = false;
  bool HideOnTimer = false;
  std::int32_t HideTimeDelay = 0;
  bool UnPauseOnTimer = false;
  std::int32_t PauseTimeout = 0;
  bool ShowOnChange = true;
  bool SoundOnChange = false;
  std::string WavFile;
  bool ShowOnMouseOver = true;
  bool ShowSourceNames = true;  // a list's source names before their lines

  bool operator==(const TickerSettings&) const = default;
};

// The options dialog's value: the page shown last. The bar's defaults put it first in the table.
inline constexpr std::string_view kActiveTabName = "ActiveTab";
inline constexpr std::int32_t kActiveTabDefault = 0;

// What the bar shows before any text has been loaded.
inline constexpr std::u16string_view kDefaultMarqueeText =
    u"Driftline from Quorvane - right click to see options.  ";
inline constexpr std::u16string_view kDefaultVerticalLines[] = {u"Driftline from Quorvane",
                                                                u"Right click to see options."};

// The range of a stored integer that the keys and the options dialog keep to.
struct IntRange {
  std::int32_t low;
  std::int32_t high;
};
inline constexpr IntRange kAmountRange{1, 20};
// The sizes the font dialog offers and the stored value keeps to: a 500-point font blanks the bar.
inline constexpr IntRange kFontSizeRange{1, 144};

struct TickerSetting {
  std::string_view name;
  std::variant<std::int32_t TickerSettings::*, bool TickerSettings::*,
               std::string TickerSettings::*>
      field;
};

// Every stored ticker value but ActiveTab, in the order the bar writes them.
std::span<const TickerSetting> TickerSettingList();

// The field's value in `settings` as a table value.
Value ValueOf(const TickerSettings& settings, const TickerSetting& setting);

// Copies every value but ActiveTab into the table, in write order (the bar's
// WriteTickerSettings).
void StoreTickerSettings(const TickerSettings& settings, ValueTable& table);

// The values the table holds; a name that is missing or holds another kind keeps its value from
// `defaults`.
TickerSettings TickerSettingsFrom(const ValueTable& table, const TickerSettings& defaults = {});

// The range ClampTickerValues keeps the named integer to; nullopt for a name it leaves alone.
std::optional<IntRange> ClampRangeOf(std::string_view name);

// The named integer from a registry DWORD. Where its range cannot be negative the DWORD is
// unsigned, so that 0xFFFFFFFF is too large rather than -1: one above INT32_MAX becomes the
// range's high end, and `outOfRange` says so as ClampTickerValues does, without its prefix
// ("GetFileDelay 4294967295 out of range, using 2147483647"). Any other DWORD reads as signed.
struct DwordInteger {
  std::int32_t value = 0;
  std::string outOfRange;  // empty when the value is the DWORD's
};
DwordInteger IntegerOfDword(std::string_view name, std::uint32_t dword);

// Brings stored integers outside the ranges the options dialog offers back into them; one
// complete log line ("Settings: Amount 0 out of range, using 1") per value changed.
std::vector<std::string> ClampTickerValues(ValueTable& table,
                                           std::string_view logPrefix = "Settings: ");

}  // namespace core
