#include "core/program/CommandLine.h"
#include "core/web/WebAddress.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <limits>

namespace core {
namespace {

struct Switch {
  std::string_view text;
  ParameterKind kind;
};

// Order matters: the first switch whose text begins the parameter wins.
constexpr std::array kSwitches{
    Switch{"/INI", ParameterKind::Ini},         Switch{"/DEBUG", ParameterKind::Debug},
    Switch{"/LOG", ParameterKind::Log},         Switch{"/SHOWLOG", ParameterKind::ShowLog},
    Switch{"/TOP", ParameterKind::Top},         Switch{"/BOTTOM", ParameterKind::Bottom},
    Switch{"/MONITOR", ParameterKind::Monitor}, Switch{"/RP", ParameterKind::RedockPeriod},
    Switch{"/RT", ParameterKind::RedockCount},
};

bool StartsWithIgnoringCase(std::string_view text, std::string_view upperPrefix) {
  if (text.size() < upperPrefix.size()) return false;
  for (size_t i = 0; i < upperPrefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != upperPrefix[i]) return false;
  }
  return true;
}

ParameterKind ReadNumber(int& target, std::string_view value, ParameterKind kind) {
  const auto number = ParseDecimalInt(value);
  if (!number) return ParameterKind::BadNumber;
  target = *number;
  return kind;
}

ParameterKind ReadSwitch(CommandLineState& state, const Switch& sw, std::string_view value,
                         const FileExistsFn& fileExists) {
  switch (sw.kind) {
    case ParameterKind::Ini:
      if (value.empty() || !fileExists(std::string(value))) return ParameterKind::IniMissing;
      state.iniFile = std::string(value);
      return sw.kind;
    case ParameterKind::Debug: state.debugWindow = true; return sw.kind;
    case ParameterKind::Log: state.fileLog = true; return sw.kind;
    case ParameterKind::ShowLog: state.showLog = true; return sw.kind;
    case ParameterKind::Top: state.dockTop = true; return sw.kind;
    case ParameterKind::Bottom: state.dockBottom = true; return sw.kind;
    case ParameterKind::Monitor: {
      const auto kind = ReadNumber(state.monitorIndex, value, sw.kind);
      if (kind == sw.kind) state.monitorGiven = true;
      return kind;
    }
    case ParameterKind::RedockPeriod: return ReadNumber(state.redockPeriod, value, sw.kind);
    case ParameterKind::RedockCount: return ReadNumber(state.redockCount, value, sw.kind);
    default: return ParameterKind::Unknown;
  }
}

}  // namespace

std::optional<int> ParseDecimalInt(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr std::int64_t kBeyondRange = std::int64_t{1} << 32;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kBeyondRange) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

ParameterKind ReadParameter(CommandLineState& state, std::string_view parameter,
                            const FileExistsFn& fileExists) {
  for (const Switch& sw : kSwitches) {
    if (StartsWithIgnoringCase(parameter, sw.text)) {
      return ReadSwitch(state, sw, parameter.substr(sw.text.size()), fileExists);
    }
  }
  if (!parameter.empty() && fileExists(std::string(parameter))) {
    state.file = std::string(parameter);
    return ParameterKind::File;
  }
  if (IsWebAddress(parameter)) {
    state.url = std::string(parameter);
    return ParameterKind::Url;
  }
  return ParameterKind::Unknown;
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> parameters;
  size_t i = 0;
  const auto isSeparator = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (true) {
    while (i < commandLine.size() && isSeparator(commandLine[i])) ++i;
    if (i >= commandLine.size()) break;
    std::string parameter;
    bool quoted = false;
    for (; i < commandLine.size(); ++i) {
      const char c = commandLine[i];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && isSeparator(c)) {
        break;
      } else {
        parameter += c;
      }
    }
    parameters.push_back(std::move(parameter));
  }
  return parameters;
}

}  // namespace core
