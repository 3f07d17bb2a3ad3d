#include "ProgramDriver.h"

#include <cstdlib>

#include "platform/Handles.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

namespace testing_support {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(20);
  }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (condition()) return true;
    if (::GetTickCount() - start > timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

std::string TestProgramFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string AppDataFolder() {
  char path[MAX_PATH] = {};
  ::SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, TRUE);
  return path;
}

std::string ProgramLogPath() {
  return AppDataFolder() + "\\Quorvane\\Driftline\\dftline.log";
}

std::string TempFilePath(const std::string& name) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

void WriteWholeFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
}

void TouchFile(const std::string& path, int secondsAhead) {
  HANDLE file =
      ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
  time.QuadPart += static_cast<ULONGLONG>(secondsAhead) * 10000000ULL;
  const FILETIME moved{time.LowPart, time.HighPart};
  ::SetFileTime(file, nullptr, nullptr, &moved);
  ::CloseHandle(file);
}

RECT BoundsOf(HWND window) {
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  return bounds;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (const char c : text) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void WriteBitmap(const std::string& path, int width, int height) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * height;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  bytes.append(static_cast<size_t>(stride * height), '\x40');
  WriteWholeFile(path, bytes);
}

HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
  std::string names;
  for (const auto& path : paths) names += path + '\0';
  names += '\0';
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  ::GlobalUnlock(memory);
  return memory;
}

void RemoveTree(const std::string& path) {
  std::string from = path;
  from.push_back('\0');  // the list of names ends in two NULs
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  ::SHFileOperationA(&operation);
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const platform::UniqueFind search(::FindFirstFileA((folder + "*").c_str(), &found));
  if (!search) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (::FindNextFileA(search.get(), &found));
  return names;
}

std::vector<std::string> ModulesOf(DWORD processId) {
  std::vector<std::string> names;
  const platform::UniqueHandle snapshot(
      ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId));
  if (!snapshot) return names;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Module32First(snapshot.get(), &entry); more;
       more = ::Module32Next(snapshot.get(), &entry)) {
    names.push_back(::CharLowerA(entry.szModule));
  }
  return names;
}

namespace {

void SendMouse(DWORD flags, POINT at = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // The normalized coordinate whose pixel is `at`, rounded up so that truncation lands on it.
    const auto normalize = [](LONG pixel, int metric) {
      const LONG size = ::GetSystemMetrics(metric);
      return static_cast<LONG>((static_cast<LONGLONG>(pixel) * 65536 + size - 1) / size);
    };
    input.mi.dx = normalize(at.x, SM_CXSCREEN);
    input.mi.dy = normalize(at.y, SM_CYSCREEN);
  }
  ::SendInput(1, &input, sizeof input);
}

POINT CursorNow() {
  POINT at{};
  ::GetCursorPos(&at);
  return at;
}

}  // namespace

void ClickAt(POINT at, DWORD down, DWORD up) {
  ::SetCursorPos(at.x, at.y);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = down;
  inputs[1].mi.dwFlags = up;
  ::SendInput(2, inputs, sizeof(INPUT));
}

POINT MoveMouseTo(POINT to) {
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to);
  WaitUntil(
      [&] {
        const POINT now = CursorNow();
        return std::abs(now.x - to.x) <= 1 && std::abs(now.y - to.y) <= 1;
      },
      2000);
  return CursorNow();
}

bool WaitForOpenMenu() {
  return WaitUntil([] {
    HWND menu = ::FindWindowA("#32768", nullptr);
    return menu && ::IsWindowVisible(menu);
  });
}

void PressKey(WORD key) {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, inputs, sizeof(INPUT));
}

MouseDrag::MouseDrag(POINT from, Capture taken) {
  MoveTo(from);
  const DWORD thread = ::GetWindowThreadProcessId(::WindowFromPoint(from), nullptr);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  if (taken == Capture::Later) return;
  // A move queued before the window has taken the mouse would go to whatever lies under the
  // cursor instead.
  WaitUntil(
      [thread] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return ::GetGUIThreadInfo(thread, &info) && info.hwndCapture != nullptr;
      },
      2000);
}

MouseDrag::~MouseDrag() {
  SendMouse(MOUSEEVENTF_LEFTUP);
}

POINT MouseDrag::MoveTo(POINT to) {
  held_ = to;
  return MoveMouseTo(to);
}

bool MouseDrag::HoldUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD lastMove = ::GetTickCount();
  return WaitUntil(
      [&] {
        if (condition()) return true;
        if (::GetTickCount() - lastMove > 500) {
          SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, held_);
          lastMove = ::GetTickCount();
        }
        return false;
      },
      timeoutMs);
}

ProcessPause::ProcessPause(DWORD processId) {
  const platform::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
       more = ::Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID != processId) continue;
    HANDLE thread =
        ::OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, entry.th32ThreadID);
    if (!thread) continue;
    if (::SuspendThread(thread) == static_cast<DWORD>(-1)) {
      ::CloseHandle(thread);
      continue;
    }
    // The stop takes effect later; reading the registers waits for it.
    CONTEXT registers{};
    registers.ContextFlags = CONTEXT_CONTROL;
    ::GetThreadContext(thread, &registers);
    threads_.push_back(thread);
  }
  EXPECT_FALSE(threads_.empty()) << "no thread of process " << processId << " stopped";
}

ProcessPause::~ProcessPause() {
  for (HANDLE thread : threads_) {
    ::ResumeThread(thread);
    ::CloseHandle(thread);
  }
}

namespace {

std::vector<DWORD> ProgramProcesses() {
  std::vector<DWORD> ids;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot, &entry); more;
       more = ::Process32Next(snapshot, &entry)) {
    if (::lstrcmpiA(entry.szExeFile, "dftline.exe") == 0) ids.push_back(entry.th32ProcessID);
  }
  ::CloseHandle(snapshot);
  return ids;
}

BOOL CALLBACK CollectProcessWindow(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner == search->first) search->second.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  std::pair<DWORD, std::vector<HWND>> search{processId, {}};
  ::EnumWindows(&CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// The shell keeps the strip of a bar that was ended without a word, and explorer may outlive
// the test: the next bar would dock beside it.
void ForgetAppBars(const std::vector<HWND>& windows) {
  for (HWND window : windows) {
    APPBARDATA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    ::SHAppBarMessage(ABM_REMOVE, &data);
  }
}

void EndProgram(HANDLE process, DWORD id) {
  const std::vector<HWND> windows = TopLevelWindowsOf(id);
  ::TerminateProcess(process, 1);
  ::WaitForSingleObject(process, 5000);
  ForgetAppBars(windows);
}

}  // namespace

void ResetProgramState() {
  for (const DWORD id : ProgramProcesses()) {
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    EndProgram(process, id);
    ::CloseHandle(process);
  }
  ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quorvane");
  RemoveTree(AppDataFolder() + "\\Quorvane");
  char common[MAX_PATH] = {};
  if (::SHGetSpecialFolderPathA(nullptr, common, CSIDL_COMMON_APPDATA, FALSE)) {
    RemoveTree(std::string(common) + "\\Quorvane");
  }
}

namespace {

struct WindowSearch {
  DWORD processId;
  const char* className;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId) return TRUE;
  if (search->visibleOnly && !::IsWindowVisible(hwnd)) return TRUE;
  if (ClassNameOf(hwnd) != search->className) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const char* className, bool visibleOnly) {
  WindowSearch search{processId, className, visibleOnly, nullptr};
  ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND hwnd) {
  DWORD_PTR length = 0;
  ::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

std::string ClassNameOf(HWND hwnd) {
  char name[256] = {};
  ::GetClassNameA(hwnd, name, sizeof name);
  return name;
}

bool MutexExists(const std::string& name) {
  HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
  if (!mutex) return false;
  ::CloseHandle(mutex);
  return true;
}

MessageBoxAnswer::MessageBoxAnswer(std::string caption, int answer)
    : thread_([this, caption = std::move(caption), answer] {
        HWND box = nullptr;
        WaitUntil([&] {
          box = ::FindWindowA("#32770", caption.c_str());
          return box && ::IsWindowVisible(box);
        });
        if (!box) return;
        char text[256] = {};
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static control
        text_ = text;
        ::PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
      }) {}

MessageBoxAnswer::~MessageBoxAnswer() {
  if (thread_.joinable()) thread_.join();
}

const std::string& MessageBoxAnswer::Text() {
  if (thread_.joinable()) thread_.join();
  return text_;
}

OpenDialogAnswer::OpenDialogAnswer(HWND owner, std::string path)
    : thread_([owner, path = std::move(path)] {
        HWND dialog = nullptr;
        WaitUntil([&] {
          dialog = ::FindWindowExA(nullptr, nullptr, "#32770", nullptr);
          while (dialog && ::GetWindow(dialog, GW_OWNER) != owner) {
            dialog = ::FindWindowExA(nullptr, dialog, "#32770", nullptr);
          }
          return dialog && ::IsWindowVisible(dialog);
        });
        if (!dialog) return;
        // The file name box: a combo box in the newer layout, an edit in the older.
        for (const int id : {0x47C, 0x480}) ::SetDlgItemTextA(dialog, id, path.c_str());
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      }) {}

OpenDialogAnswer::~OpenDialogAnswer() {
  if (thread_.joinable()) thread_.join();
}

SuspendedProcess::SuspendedProcess() {
  char program[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string commandLine = "\"";
  commandLine.append(program).append("\"");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!::CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &info_)) {
    ADD_FAILURE() << "could not start " << program << ": error " << ::GetLastError();
    info_ = {};
  }
}

SuspendedProcess::~SuspendedProcess() {
  if (!info_.hProcess) return;
  ::TerminateProcess(info_.hProcess, 1);
  ::WaitForSingleObject(info_.hProcess, 5000);
  ::CloseHandle(info_.hThread);
  ::CloseHandle(info_.hProcess);
}

DWORD EndedProcessId() {
  const SuspendedProcess process;
  return process.Id();
}

std::vector<COLORREF> CaptureScreen(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  ::SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  std::vector<RGBQUAD> quads(static_cast<size_t>(width) * height);
  ::GetDIBits(memory, bitmap, 0, height, quads.data(), &info, DIB_RGB_COLORS);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  std::vector<COLORREF> pixels;
  pixels.reserve(quads.size());
  for (const RGBQUAD& q : quads) pixels.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
  return pixels;
}

bool IsNearlyMaroon(COLORREF c) {
  return GetRValue(c) >= 96 && GetRValue(c) <= 160 && GetGValue(c) < 48 && GetBValue(c) < 48;
}

RunningProgram::RunningProgram(const std::string& arguments)
    : RunningProgram(ProgramFile{TestProgramFolder() + "dftline.exe"}, arguments) {}

RunningProgram::RunningProgram(const ProgramFile& file, const std::string& arguments) {
  const std::string& program = file.path;
  std::string commandLine = "\"" + program + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_)) {
    ADD_FAILURE() << "could not start " << program << ": error " << ::GetLastError();
    info_ = {};
  }
}

RunningProgram::~RunningProgram() {
  if (!info_.hProcess) return;
  if (Running()) EndProgram(info_.hProcess, info_.dwProcessId);
  ::CloseHandle(info_.hThread);
  ::CloseHandle(info_.hProcess);
}

bool RunningProgram::Running() const {
  return info_.hProcess && ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND RunningProgram::WaitForBar(DWORD timeoutMs) {
  HWND bar = nullptr;
  WaitUntil(
      [&] { return (bar = FindProcessWindow(ProcessId(), "TForm1")) != nullptr || !Running(); },
      timeoutMs);
  EXPECT_NE(bar, nullptr) << "the bar window did not appear";
  // The bar shows as soon as the shell places it; its settings apply before it reads input.
  if (bar) ::WaitForInputIdle(info_.hProcess, timeoutMs);
  return bar;
}

DWORD RunningProgram::WaitForExit(DWORD timeoutMs) {
  if (!info_.hProcess) return STILL_ACTIVE;
  if (::WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

}  // namespace testing_support

// --- The shell's app-bar reservations -------------------------------------------------------

namespace testing_support {

core::Rect ReservationQuery(UINT edge) {
  // A real top-level window: the shell keeps no bar for a message-only one.
  platform::UniqueNullable<HWND, &::DestroyWindow> window(
      ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "reservation query", WS_POPUP, 0, 0, 1, 1,
                        nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
  EXPECT_TRUE(window) << "no window for the reservation query";
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = window.get();
  data.uCallbackMessage = WM_APP;
  if (!::SHAppBarMessage(ABM_NEW, &data)) {
    ADD_FAILURE() << "the shell did not register the reservation query's bar";
    return {};
  }
  data.uEdge = edge;
  data.rc = edge == ABE_BOTTOM ? RECT{0, height - 30, width, height} : RECT{0, 0, width, 30};
  ::SHAppBarMessage(ABM_QUERYPOS, &data);
  const core::Rect answer{data.rc.left, data.rc.top, data.rc.right, data.rc.bottom};
  ::SHAppBarMessage(ABM_REMOVE, &data);
  return answer;
}

}  // namespace testing_support

// --- The notification area ------------------------------------------------------------------

namespace testing_support {

namespace {

BOOL CALLBACK CollectTrayIcon(HWND child, LPARAM icons) {
  if (ClassNameOf(child) == "__winex11_tray_icon") {
    reinterpret_cast<std::vector<HWND>*>(icons)->push_back(child);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> TrayIconWindows() {
  std::vector<HWND> icons;
  const HWND tray = ::FindWindowA("__winex11_standalone_tray", nullptr);
  if (tray) ::EnumChildWindows(tray, &CollectTrayIcon, reinterpret_cast<LPARAM>(&icons));
  return icons;
}

}  // namespace testing_support

// --- The shell's file associations ----------------------------------------------------------

namespace testing_support {

namespace {

constexpr const char* kStandInType = "DriftlineTestFile";

void SetDefaultValue(const std::string& key, const std::string& value) {
  ::RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

}  // namespace

FileAssociation::FileAssociation(std::string extension, const std::string& copyTo)
    : extension_(std::move(extension)) {
  HKEY key = nullptr;
  keyExisted_ =
      ::RegOpenKeyExA(HKEY_CLASSES_ROOT, extension_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
  const platform::UniqueHkey owned(key);
  char type[MAX_PATH] = {};
  DWORD size = sizeof type;
  if (keyExisted_ && ::RegGetValueA(owned.get(), nullptr, nullptr, RRF_RT_REG_SZ, nullptr, type,
                                    &size) == ERROR_SUCCESS) {
    previousType_ = type;
  }
  SetDefaultValue(extension_, kStandInType);
  SetDefaultValue(std::string(kStandInType) + "\\shell\\open\\command",
                  "cmd.exe /c copy \"%1\" \"" + copyTo + "\"");
}

FileAssociation::~FileAssociation() {
  if (!keyExisted_) {
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, extension_.c_str());
  } else if (previousType_) {
    SetDefaultValue(extension_, *previousType_);
  } else {
    ::RegDeleteKeyValueA(HKEY_CLASSES_ROOT, extension_.c_str(), nullptr);
  }
  ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kStandInType);
}

namespace {

std::optional<std::string> DefaultValue(const std::string& key) {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (::RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(value);
}

}  // namespace

BrowserStandIn::BrowserStandIn(const std::string& recordTo) {
  for (const char* scheme : {"http", "https"}) {
    const std::string key = std::string(scheme) + "\\shell\\open\\command";
    previous_.emplace_back(key, DefaultValue(key));
    SetDefaultValue(key, "cmd.exe /c echo %1>>\"" + recordTo + "\"");
  }
}

BrowserStandIn::~BrowserStandIn() {
  for (const auto& [key, command] : previous_) {
    if (command) {
      SetDefaultValue(key, *command);
    } else {
      ::RegDeleteKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr);
    }
  }
}

}  // namespace testing_support
