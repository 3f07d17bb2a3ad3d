#pragma once
// A list of sources' state on the user-interface thread: the sources with what each keeps, the
// fetches running for them and the timer of the next due check. Only TickerSources.cpp uses it.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "app/UrlFileThread.h"
#include "core/program/LogGate.h"
#include "core/sources/SourceSet.h"
#include "platform/Handles.h"
#include "platform/Timer.h"
#include "platform/WinInet.h"

// A source's worker reports with this message; wParam and lParam as WM_GETURLFILE_DONE's.
inline constexpr UINT WM_SOURCE_DONE = WM_APP + 2;

struct SourceFetch {
  std::uint64_t sourceId = 0;
  std::shared_ptr<UrlFileThread> worker;
  platform::UniqueHandle thread;
  DWORD threadId = 0;
};

struct TickerSourcesState {
  bool active = false;  // the bar's source is a list
  core::SourceSet set;
  // Also those of sources since dropped: they count until they report.
  std::vector<SourceFetch> fetches;
  platform::Timer TimerSources{0};
  platform::Timer TimerShowSources{500};
  std::shared_ptr<core::LogGate> logGate;
  core::SeededRandom random{std::random_device{}()};
  platform::FetchLimits limits;
};
