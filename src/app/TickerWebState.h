#pragma once
// The web text source's state on the user-interface thread. Only TickerWeb.cpp uses it.

#include <windows.h>

#include <memory>
#include <random>

#include "app/UrlFileThread.h"
#include "core/program/LogGate.h"
#include "core/web/WebSchedule.h"
#include "core/web/WebSource.h"
#include "platform/Handles.h"
#include "platform/Timer.h"
#include "platform/WinInet.h"

struct TickerWebState {
  // The running worker, shared with its thread; null when idle.
  std::shared_ptr<UrlFileThread> worker;
  platform::UniqueHandle UrlThreadHandle;
  DWORD UrlThreadId = 0;
  // Set when the exit begins: no worker starts after it, where none would abort it.
  bool stopping = false;
  // Every worker's way into the log; the exit closes it before the log goes.
  std::shared_ptr<core::LogGate> logGate;
  // `UrlLastModified` for the address shown, and a pending forced read.
  core::WebSourceState source;
  // How the checks so far went, for the wait before the next one.
  core::LastCheck lastCheck;
  core::SeededRandom random{std::random_device{}()};
  platform::FetchLimits limits;
  // Runs while a worker does: at the fetch's deadline the bar stops waiting for it.
  platform::Timer TimerFetchDeadline{0};
};
