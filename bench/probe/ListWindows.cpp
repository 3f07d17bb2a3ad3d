// Lists the windows a process owns, top-level and message-only, for the memory probe's share of
// the window system: one line per window, "top" or "message", its class and its size.
//   list_windows.exe <program file name, as dftline.exe>

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

namespace {

void Print(HWND window, const char* kind) {
  char name[128] = "";
  ::GetClassNameA(window, name, sizeof name);
  RECT area{};
  ::GetWindowRect(window, &area);
  std::printf("%s\t%s\t%ldx%ld\t%s\n", kind, name, area.right - area.left, area.bottom - area.top,
              ::IsWindowVisible(window) ? "visible" : "hidden");
}

bool Owned(HWND window, DWORD process) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  return owner == process;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM process) {
  if (Owned(window, static_cast<DWORD>(process))) Print(window, "top");
  return TRUE;
}

// The process running the program file `name`, or 0.
DWORD ProcessOf(const char* name) {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  DWORD found = 0;
  for (BOOL more = ::Process32First(snapshot, &entry); more && found == 0;
       more = ::Process32Next(snapshot, &entry)) {
    if (::_stricmp(entry.szExeFile, name) == 0) found = entry.th32ProcessID;
  }
  ::CloseHandle(snapshot);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  const DWORD process = argc < 2 ? 0 : ProcessOf(argv[1]);
  if (process == 0) return 1;
  ::EnumWindows(&PrintTopLevel, static_cast<LPARAM>(process));
  for (HWND window = ::FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
       window = ::FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
    if (Owned(window, process)) Print(window, "message");
  }
  return 0;
}
