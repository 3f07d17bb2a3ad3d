// The web source against a loopback server, in the running bar's process: how long the bar's
// message loop is held up during a slow download, how long a check takes to show a 1 MB text
// compared with reading the same file locally, and what the worker's download costs in memory.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

#include "HttpTestServer.h"
#include "app/Ticker.h"
#include "platform/Application.h"

using testing_support::HttpFault;
using testing_support::HttpResponse;
using testing_support::HttpTestServer;

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return now;
}

void PumpUntil(const std::function<bool()>& done) {
  while (!done()) {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

SIZE_T PeakPrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakPagefileUsage;
}

void ShowUrl(TForm1& bar, const std::string& url) {
  core::TickerSettings values = bar.Values();
  values.UseFileUrl = true;
  values.FileUrl = url;
  bar.ApplyValues(values);
}

std::string Lines(size_t bytes, char fill) {
  const std::string line = std::string(99, fill) + "\n";
  std::string text;
  text.reserve(bytes);
  while (text.size() < bytes) text += line;
  return text;
}

// The worst time the bar took to answer a WM_NULL sent every 10 ms while `work` runs.
double WorstAnswerDuring(HWND bar, const std::function<void()>& work) {
  std::atomic<bool> stop{false};
  double worst = 0;
  std::thread pinger([&] {
    while (!stop) {
      const LARGE_INTEGER start = Now();
      DWORD_PTR answer = 0;
      ::SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
      worst = std::max(worst, Milliseconds(start, Now()));
      ::Sleep(10);
    }
  });
  work();
  stop = true;
  // The pinger's last message needs the loop.
  PumpUntil([&] { return !pinger.joinable() || (pinger.join(), true); });
  return worst;
}

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  platform::Application application("Driftline");
  TForm1 bar(application);
  const std::u16string shownBefore = bar.Marquee().ScrollText();
  const auto textChanged = [&](const std::u16string& from) {
    return [&bar, from] { return bar.Marquee().ScrollText() != from; };
  };

  // 1. A trickled 1 MB body: 4 KB every 5 ms, about 1.3 s.
  HttpTestServer server;
  HttpResponse trickled{200, "", Lines(1 << 20, 't'), HttpFault::Trickle};
  trickled.trickleBytes = 4096;
  server.Respond(trickled);
  ShowUrl(bar, server.Url());
  const double worst = WorstAnswerDuring(bar.Handle(), [&] {
    bar.TimerGetFileTimer();
    PumpUntil(textChanged(shownBefore));
  });
  std::printf("trickled 1 MB download: worst answer of the bar's loop %.1f ms\n", worst);

  // 2. A check to the new text: 1 MB over loopback against the same file read locally.
  constexpr int kRuns = 15;
  std::vector<double> web;
  std::vector<double> local;
  const std::string path = "C:\\driftline-bench-1mb.txt";
  for (int run = 0; run < kRuns; ++run) {
    const std::string text = Lines(1 << 20, static_cast<char>('a' + run % 20));
    server.Respond({200, "", text, HttpFault::None});
    ShowUrl(bar, server.Url());
    const std::u16string before = bar.Marquee().ScrollText();
    const LARGE_INTEGER start = Now();
    bar.TimerGetFileTimer();
    PumpUntil(textChanged(before));
    web.push_back(Milliseconds(start, Now()));

    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string other = Lines(1 << 20, static_cast<char>('A' + run % 20));
    DWORD written = 0;
    ::WriteFile(file, other.data(), static_cast<DWORD>(other.size()), &written, nullptr);
    ::CloseHandle(file);
    core::TickerSettings values = bar.Values();
    values.UseFileUrl = false;
    values.File = path;
    bar.ApplyValues(values);
    bar.ForceRead();
    const LARGE_INTEGER localStart = Now();
    bar.TimerGetFileTimer();
    local.push_back(Milliseconds(localStart, Now()));
  }
  ::DeleteFileA(path.c_str());
  std::sort(web.begin(), web.end());
  std::sort(local.begin(), local.end());
  std::printf("check to new text, 1 MB: web median %.1f ms, local median %.1f ms (%.1fx)\n",
              web[kRuns / 2], local[kRuns / 2], web[kRuns / 2] / local[kRuns / 2]);

  // 3. The download's memory: the peak over a 16 MB body, beyond the peak so far.
  const std::string big = Lines(16 << 20, 'm');
  server.Respond({200, "", big, HttpFault::None});
  ShowUrl(bar, server.Url());
  const SIZE_T peakBefore = PeakPrivateBytes();
  const std::u16string before = bar.Marquee().ScrollText();
  bar.TimerGetFileTimer();
  PumpUntil(textChanged(before));
  const double added = static_cast<double>(PeakPrivateBytes() - peakBefore) / (1 << 20);
  std::printf("16 MB download and show: peak private memory +%.1f MB (%.2fx the body)\n", added,
              added / 16.0);
  return 0;
}
