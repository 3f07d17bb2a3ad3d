// Another program whose main window has the bar's class TForm1, titled by its command line, as
// programs of a whole family have: setup and uninstall must leave it open.

#include <windows.h>

namespace {

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR title, int) {
  WNDCLASSA form{};
  form.lpfnWndProc = FormProc;
  form.hInstance = instance;
  form.lpszClassName = "TForm1";
  ::RegisterClassA(&form);
  ::CreateWindowA("TForm1", title, WS_POPUP | WS_VISIBLE, 0, 300, 200, 50, nullptr, nullptr,
                  instance, nullptr);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}
