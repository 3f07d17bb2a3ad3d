// The command line: split into parameters that come from the text in order, each switch read
// into the start-up state within its range, and anything unknown changing nothing.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/placement/BarPlacement.h"
#include "core/program/CommandLine.h"

namespace {

using core::CommandLineState;
using core::ParameterKind;

bool SameState(const CommandLineState& a, const CommandLineState& b) {
  return a.debugWindow == b.debugWindow && a.fileLog == b.fileLog && a.showLog == b.showLog &&
         a.dockTop == b.dockTop && a.dockBottom == b.dockBottom &&
         a.monitorGiven == b.monitorGiven && a.monitorIndex == b.monitorIndex &&
         a.redockPeriod == b.redockPeriod && a.redockCount == b.redockCount &&
         a.iniFile == b.iniFile && a.file == b.file && a.url == b.url;
}

// Files "exist" when their name holds a dot, so both answers come up.
bool FakeFileExists(const std::string& path) {
  return path.find('.') != std::string::npos;
}

void CheckSplit(std::string_view commandLine, const std::vector<std::string>& parameters) {
  // Parameters are the text's bytes in order, less quotes and the separators between them.
  std::size_t at = 0;
  for (const std::string& parameter : parameters) {
    FUZZ_CHECK(parameter.find('"') == std::string::npos);
    for (const char c : parameter) {
      while (at < commandLine.size() && commandLine[at] != c) ++at;
      FUZZ_CHECK(at < commandLine.size());
      ++at;
    }
  }
  FUZZ_CHECK(parameters.size() <= commandLine.size());
}

void CheckParameter(const CommandLineState& before, const CommandLineState& after,
                    std::string_view parameter, ParameterKind kind) {
  const std::string upper = fuzz::UpperAscii(parameter);
  switch (kind) {
    case ParameterKind::Unknown:
    case ParameterKind::BadNumber:
    case ParameterKind::IniMissing: FUZZ_CHECK(SameState(before, after)); break;
    case ParameterKind::Monitor:
      FUZZ_CHECK(after.monitorGiven && upper.starts_with("/MONITOR"));
      FUZZ_CHECK(core::ParseDecimalInt(parameter.substr(8)) == after.monitorIndex);
      break;
    case ParameterKind::RedockPeriod:
      FUZZ_CHECK(core::ParseDecimalInt(parameter.substr(3)) == after.redockPeriod);
      break;
    case ParameterKind::RedockCount:
      FUZZ_CHECK(core::ParseDecimalInt(parameter.substr(3)) == after.redockCount);
      break;
    case ParameterKind::Ini:
      FUZZ_CHECK(!after.iniFile.empty() && FakeFileExists(after.iniFile));
      break;
    case ParameterKind::File:
      FUZZ_CHECK(after.file == std::string(parameter) && FakeFileExists(*after.file));
      break;
    case ParameterKind::Url:
      FUZZ_CHECK(upper.starts_with("HTTP://") || upper.starts_with("HTTPS://"));
      FUZZ_CHECK(after.url == std::string(parameter));
      break;
    default: FUZZ_CHECK(upper.starts_with("/")); break;
  }
}

// What start-up makes of the switches: a redock interval a timer takes, a monitor that exists.
void CheckPlacement(const CommandLineState& state) {
  const std::uint32_t interval = core::RedockIntervalMs(state.redockPeriod, state.redockCount);
  FUZZ_CHECK(interval <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()));
  FUZZ_CHECK((interval == 0) == (state.redockPeriod <= 0 || state.redockCount <= 0));
  const std::vector<core::Rect> monitors{{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
  const auto corner = core::MonitorCorner(monitors, state.monitorIndex);
  FUZZ_CHECK(corner.has_value() == (state.monitorIndex >= 0 && state.monitorIndex < 2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view commandLine(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> parameters = core::SplitCommandLine(commandLine);
  CheckSplit(commandLine, parameters);
  CommandLineState state;
  for (std::size_t i = 1; i < parameters.size(); ++i) {
    const CommandLineState before = state;
    const ParameterKind kind = core::ReadParameter(state, parameters[i], FakeFileExists);
    CheckParameter(before, state, parameters[i], kind);
  }
  CheckPlacement(state);
  return 0;
}
