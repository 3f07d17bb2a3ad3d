// The pointer over a 1 MB line of "http:///" repeated (every "http://" in it an address without
// a host, none a link), in the bar's own process, in scroll and in vertical mode, and over a
// short line for comparison: what one cursor change costs the bar's thread, and the worst answer
// of its message loop to a WM_NULL every 10 ms while another thread moves the pointer over the
// bar and asks for the cursor, and while the pointer stays still.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/Ticker.h"
#include "platform/Application.h"

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

void PumpFor(DWORD milliseconds, const std::function<bool()>& done = {}) {
  const DWORD end = ::GetTickCount() + milliseconds;
  while (static_cast<LONG>(end - ::GetTickCount()) > 0 && !(done && done())) {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

// Screen points across the middle of the bar's client area.
std::vector<POINT> Across(HWND bar) {
  RECT client{};
  ::GetClientRect(bar, &client);
  std::vector<POINT> points;
  for (int i = 1; i < 20; ++i) {
    POINT at{client.right * i / 20, client.bottom / 2};
    ::ClientToScreen(bar, &at);
    points.push_back(at);
  }
  return points;
}

LRESULT AskForCursor(HWND bar) {
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutA(bar, WM_SETCURSOR, reinterpret_cast<WPARAM>(bar),
                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), SMTO_NORMAL, 60000, &answer);
  return static_cast<LRESULT>(answer);
}

double WorstAnswer(HWND bar, const std::vector<POINT>& points, bool move);

void Measure(const char* mode, HWND bar) {
  const std::vector<POINT> points = Across(bar);
  // One cursor change at a time, on the bar's own thread.
  std::vector<double> each;
  for (int round = 0; round < 5; ++round) {
    for (const POINT& at : points) {
      ::SetCursorPos(at.x, at.y);
      const LARGE_INTEGER start = Now();
      ::SendMessageA(bar, WM_SETCURSOR, reinterpret_cast<WPARAM>(bar),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
      each.push_back(Milliseconds(start, Now()));
    }
  }
  std::sort(each.begin(), each.end());

  const double still = WorstAnswer(bar, points, false);
  const double moving = WorstAnswer(bar, points, true);
  std::printf(
      "%s: a cursor change median %.3f ms, slowest %.3f ms (of %zu); worst answer of the "
      "loop %.1f ms with the pointer still, %.1f ms with it moving\n",
      mode, each[each.size() / 2], each.back(), each.size(), still, moving);
}

// The worst answer of the bar's loop to a WM_NULL every 10 ms over 3 s, while another thread
// moves the pointer over the bar and asks for the cursor, or leaves it still.
double WorstAnswer(HWND bar, const std::vector<POINT>& points, bool move) {
  std::atomic<bool> stop{false};
  double worst = 0;
  std::thread mover([&] {
    for (std::size_t i = 0; move && !stop; ++i) {
      const POINT& at = points[i % points.size()];
      ::SetCursorPos(at.x, at.y);
      AskForCursor(bar);
    }
  });
  std::thread pinger([&] {
    while (!stop) {
      const LARGE_INTEGER start = Now();
      DWORD_PTR answer = 0;
      ::SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
      worst = std::max(worst, Milliseconds(start, Now()));
      ::Sleep(10);
    }
  });
  PumpFor(3000);
  stop = true;
  // The threads' last messages need the loop.
  PumpFor(1000);
  mover.join();
  pinger.join();
  return worst;
}

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string path = "C:\\driftline-hover-bench.txt";
  std::string longLine;
  while (longLine.size() < (1u << 20)) longLine += "http:///";
  struct Run {
    const char* name;
    std::string line;
    bool vertical;
  };
  // The short line first: the bar's own answers, for comparison.
  const Run runs[] = {{"scroll, a 22-byte line", "http:///http:///http://", false},
                      {"scroll, 1 MB line", longLine, false},
                      {"vertical, 1 MB line", longLine, true}};

  platform::Application application("Driftline");
  TForm1 bar(application);
  for (const Run& run : runs) {
    // A new text each time: the vertical lines are wrapped as the text comes.
    const std::string text = run.line + "\r\nsee http://a.example/" + run.name + "\r\n";
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    core::TickerSettings values = bar.Values();
    values.UseFileUrl = false;
    values.File = path;
    values.Vertical = run.vertical;
    values.VertLineDelay = 600000;  // the first line stays shown
    bar.ApplyValues(values);
    bar.ForceRead();
    bar.TimerGetFileTimer();
    PumpFor(2000, [&] { return bar.Marquee().ScrollText().size() > run.line.size(); });
    PumpFor(500);
    Measure(run.name, bar.Handle());
  }
  ::DeleteFileA(path.c_str());
  return 0;
}
