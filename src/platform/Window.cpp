#include "platform/Window.h"

#include <exception>

#include "platform/Application.h"
#include "platform/SystemError.h"

namespace platform {

HINSTANCE ModuleInstance() {
  return ::GetModuleHandleA(nullptr);
}

Window::~Window() {
  DestroyHandle();
}

void Window::ShowUnhandledError(const char* message) {
  ::MessageBoxA(nullptr, message, ProgramName().c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void Window::RegisterClassOnce(const WindowClass& windowClass) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(ModuleInstance(), windowClass.name, &existing)) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = windowClass.style;
  wc.lpfnWndProc = &Window::WindowProcedure;
  wc.hInstance = ModuleInstance();
  wc.hCursor = windowClass.cursor ? windowClass.cursor : ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hIcon = windowClass.icon;
  wc.hbrBackground = windowClass.background;
  wc.lpszClassName = windowClass.name;
  if (!::RegisterClassExA(&wc)) ThrowLastError();
}

void Window::CreateHandle(const WindowClass& windowClass, const std::string& title,
                          const WindowPlacement& p) {
  RegisterClassOnce(windowClass);
  HWND hwnd = ::CreateWindowExA(p.exStyle, windowClass.name, title.c_str(), p.style, p.x, p.y,
                                p.width, p.height, p.parent, reinterpret_cast<HMENU>(p.childId),
                                ModuleInstance(), this);
  if (!hwnd) ThrowLastError();
  hwnd_ = hwnd;
}

void Window::DestroyHandle() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  ::DestroyWindow(hwnd);
  // WM_NCDESTROY normally clears it; a window on another thread cannot be destroyed from here.
  if (hwnd_ == hwnd) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
  }
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    ShowUnhandledError(e.what());
  } catch (...) {
    ShowUnhandledError("An unexpected error occurred.");
  }
  return 0;
}

}  // namespace platform
