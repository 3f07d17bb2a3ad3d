#include "core/program/OptionsRules.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "core/placement/BarPlacement.h"
#include "core/web/WebAddress.h"

namespace core {

Point OptionsDialogPlace(Rect bar, TEdge edge, std::int32_t dialogWidth, std::int32_t dialogHeight,
                         Rect monitor) {
  return DialogPlace(bar, edge, {dialogWidth, dialogHeight}, monitor, 7, BarEnd::KeepWithin);
}

std::int32_t SecondsShown(std::int32_t intervalMs, std::int32_t maximum) {
  const std::uint32_t seconds = static_cast<std::uint32_t>(intervalMs) / 1000;
  return static_cast<std::int32_t>(
      std::clamp<std::uint32_t>(seconds, 1, static_cast<std::uint32_t>(maximum)));
}

std::int32_t IntervalOfSeconds(std::int32_t seconds) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      std::int64_t{seconds} * 1000, 0, std::numeric_limits<std::int32_t>::max()));
}

AutoCaptions AutoPageCaptions(bool totallyHide) {
  const std::string verb = totallyHide ? "Hide" : "Minimize";
  const std::string state = totallyHide ? "hidden" : "minimized";
  return {verb + " ticker if file is &missing", verb + " ticker if file is &empty",
          verb + " ticker &after (seconds)", "If " + state + ", show ticker on file &change"};
}

namespace {

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

std::string NormalizedFileUrl(std::string_view typed) {
  while (!typed.empty() && IsBlankOrControl(typed.front())) typed.remove_prefix(1);
  while (!typed.empty() && IsBlankOrControl(typed.back())) typed.remove_suffix(1);
  if (HasWebScheme(typed)) return std::string(typed);
  return "http://" + std::string(typed);
}

std::string RunValueOf(std::string_view programPath) {
  std::string value(1, '"');
  value.append(programPath).push_back('"');
  return value;
}

bool RunValueNamesProgram(std::string_view value, std::string_view programPath) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return value.size() == programPath.size() && StartsWithNoCase(value, programPath);
}

std::string LogoSizeHint(std::int32_t height) {
  std::string hint("Current logo height:  ");
  hint.append(std::to_string(height))
      .append("px\n\rUsing an image of the right size may look better\n\r")
      .append("than letting Driftline resize the image.");
  return hint;
}

int PageOfActiveTab(std::int32_t stored, std::span<const bool> tabVisible) {
  if (stored < 0 || static_cast<std::size_t>(stored) >= tabVisible.size()) return 0;
  return tabVisible[static_cast<std::size_t>(stored)] ? stored : 0;
}

}  // namespace core
