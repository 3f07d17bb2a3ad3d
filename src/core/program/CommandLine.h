#pragma once
// Program subsystem: the command line, instance number, paths, log lines, the logo picture's
// headers, and the rules of the About box and the options dialog.
//
// The program's command line: splitting it into parameters and reading each parameter
// into the start-up state, in command-line order.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

struct CommandLineState {
  bool debugWindow = false;
  bool fileLog = false;
  bool showLog = false;
  bool dockTop = false;
  bool dockBottom = false;
  bool monitorGiven = false;
  int monitorIndex = -1;
  int redockPeriod = 0;  // seconds
  int redockCount = 0;
  std::string iniFile;  // empty: the store searches as usual
  std::optional<std::string> file;
  std::optional<std::string> url;
};

// What reading one parameter did, so the caller can act in command-line order.
enum class ParameterKind {
  Ini,
  IniMissing,
  Debug,
  Log,
  ShowLog,
  Top,
  Bottom,
  Monitor,
  RedockPeriod,
  RedockCount,
  BadNumber,  // a numeric switch whose value is not a 32-bit decimal integer
  File,
  Url,
  Unknown,
};

using FileExistsFn = std::function<bool(const std::string& path)>;

// Reads one parameter into `state`. Switches are matched on the upper-cased parameter's
// beginning, in a fixed order; only a parameter that is no switch can be a file or address.
ParameterKind ReadParameter(CommandLineState& state, std::string_view parameter,
                            const FileExistsFn& fileExists);

// Splits a raw command line the way the program's parameters have always been split:
// blanks and control characters separate, double quotes group and are dropped.
// The first element is the program itself.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// A decimal integer in the 32-bit range, with an optional sign; nothing else.
std::optional<int> ParseDecimalInt(std::string_view text);

}  // namespace core
