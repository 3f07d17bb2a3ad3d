// The command line and the start-up order of settings, switches and the first text; the
// placement the switches ask for, at start-up and by the redock checks.

#include "app/Ticker.h"
#include "core/program/CommandLine.h"
#include "core/program/StartupSource.h"
#include "platform/FileSystem.h"
#include "platform/Monitors.h"

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

void TForm1::ApplyCommandLinePlacement() {
  const std::vector<core::Rect> monitors = platform::MonitorBounds();
  const std::optional<core::TEdge> edge =
      core::CommandLineEdge(commandLine_.dockTop, commandLine_.dockBottom);
  if (const auto corner = core::MonitorCorner(monitors, commandLine_.monitorIndex)) {
    MoveBarTo(*corner);
    // A docked bar takes its edge, and its reservation, to the new monitor.
    if (!edge && !IsFloating()) Redock();
  }
  if (edge) PlacementStep([this, edge] { DockAt(*edge); });
}

void TForm1::StartRedockChecks() {
  const std::uint32_t interval =
      core::RedockIntervalMs(commandLine_.redockPeriod, commandLine_.redockCount);
  if (interval == 0) return;
  placement_.redockChecksLeft = commandLine_.redockCount;
  placement_.TimerRedock.SetOnTimer([this] { TimerRedockTimer(); });
  placement_.TimerRedock.SetInterval(interval);
  placement_.TimerRedock.SetEnabled(true);
}

void TForm1::TimerRedockTimer() {
  placement_.TimerRedock.SetEnabled(false);
  if (--placement_.redockChecksLeft > 0) placement_.TimerRedock.SetEnabled(true);
  const core::Rect bounds = BarBounds();
  const core::RedockTick tick =
      core::RedockTickFor(platform::MonitorBounds(), commandLine_.monitorIndex,
                          {bounds.left, bounds.top}, IsFloating(), Dpi());
  if (tick.moveTo) MoveBarTo(*tick.moveTo);
  if (tick.redock) {
    Redock();
  } else if (tick.moveTo) {
    if (const auto edge = core::CommandLineEdge(commandLine_.dockTop, commandLine_.dockBottom)) {
      DockAt(*edge);
    }
  }
}
