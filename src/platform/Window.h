#pragma once
// Base class of every window: registers its class once, routes messages to a member
// handler and keeps exceptions from crossing the window procedure.

#include <windows.h>

#include <string>

namespace platform {

struct WindowClass {
  const char* name = nullptr;
  UINT style = 0;
  HBRUSH background = nullptr;
  HCURSOR cursor = nullptr;  // nullptr: the arrow
  HICON icon = nullptr;
};

struct WindowPlacement {
  DWORD exStyle = 0;
  DWORD style = 0;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
  HWND parent = nullptr;  // the owner, for a top-level window
  UINT_PTR childId = 0;

  // An invisible window that only receives messages (timers, hand-overs between threads).
  static WindowPlacement MessageOnly() {
    WindowPlacement placement;
    placement.x = placement.y = placement.width = placement.height = 0;
    placement.parent = HWND_MESSAGE;
    return placement;
  }
};

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return hwnd_; }

  // Shows an error that no handler caught; the program goes on.
  static void ShowUnhandledError(const char* message);

 protected:
  Window() = default;

  void CreateHandle(const WindowClass& windowClass, const std::string& title,
                    const WindowPlacement& placement);
  void DestroyHandle();

  // Handles one message; the default passes it to DefWindowProc.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(hwnd_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static void RegisterClassOnce(const WindowClass& windowClass);

  HWND hwnd_ = nullptr;
};

HINSTANCE ModuleInstance();

}  // namespace platform
