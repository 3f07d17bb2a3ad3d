// The command line and the start-up order of settings, switches and the first text.

#include "app/Ticker.h"
#include "core/CommandLine.h"
#include "core/StartupSource.h"
#include "platform/FileSystem.h"

void TForm1::LoadSettings() {
  commandLine_.dockTop = false;
  commandLine_.dockBottom = false;
  commandLine_.monitorGiven = false;
  commandLine_.monitorIndex = -1;
  commandLine_.redockCount = 0;
  commandLine_.redockPeriod = 0;
  ReadCommandLine();
  if (!commandLine_.iniFile.empty()) Settings1->Properties().ForceIniFile = commandLine_.iniFile;
  ReadTickerSettings();
  ApplyCommandLinePlacement();
  ApplyValues(core::WithStartupSource(values_, commandLine_, legacyWindows_));
  TimerGetFileTimer();
  StartRedockChecks();
}

void TForm1::ReadCommandLine() {
  const auto parameters = core::SplitCommandLine(::GetCommandLineA());
  const auto fileExists = [](const std::string& path) { return platform::FileExists(path); };
  // Switches act in command-line order: "/DEBUG" before "/LOG" also shows the first line.
  for (size_t i = 1; i < parameters.size(); ++i) {
    const std::string& parameter = parameters[i];
    switch (core::ReadParameter(commandLine_, parameter, fileExists)) {
      case core::ParameterKind::Debug: log_->SetDebugWindow(true); break;
      case core::ParameterKind::Log:
        log_->SetFileLog(true);
        Log("Driftline Starting");
        break;
      case core::ParameterKind::BadNumber:
      case core::ParameterKind::IniMissing: Log("Ignored switch: " + parameter); break;
      default: break;
    }
  }
}
