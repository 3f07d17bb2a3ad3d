#pragma once
// Starting dftline.exe and watching it from outside: its windows, files, registry.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/Application.h"

namespace testing_support {

// Polls until the condition holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// Handles this thread's waiting messages while polling.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

std::string TestProgramFolder();                    // with a trailing backslash
std::string AppDataFolder();                        // the user's, without a trailing backslash
std::string ProgramLogPath();                       // where dftline.exe writes its log
std::string TempFilePath(const std::string& name);  // in the user's temporary folder
std::string ReadWholeFile(const std::string& path);
std::vector<std::string> SplitLines(const std::string& text);
// How often `part` stands in `text`.
size_t CountOf(const std::string& text, const std::string& part);
void WriteWholeFile(const std::string& path, const std::string& text);
// Moves the file's last-write time, so that the next check sees a new stamp.
void TouchFile(const std::string& path, int secondsAhead);
RECT BoundsOf(HWND window);
void RemoveTree(const std::string& path);
// A 24-bit bitmap file of one dark grey (0x404040), as a logo picture.
void WriteBitmap(const std::string& path, int width, int height);
// The drop data of Explorer's drag and drop, for WM_DROPFILES.
HGLOBAL MakeDrop(const std::vector<std::string>& paths);
// The names of the files (not folders) in `folder`, which ends in a backslash.
std::vector<std::string> FilesIn(const std::string& folder);
// The file names, in lower case, of the modules the process has loaded; empty when the system
// cannot list them.
std::vector<std::string> ModulesOf(DWORD processId);

// Moves the mouse as the user's would (absolute coordinates, which SendInput rounds); answers
// where the cursor really is.
POINT MoveMouseTo(POINT to);

// Waits until a popup menu shows, of any program.
bool WaitForOpenMenu();
// A key pressed and released, as the user's keyboard gives it: to whatever has the focus.
void PressKey(WORD key);

// A real drag with the left button, as the user's mouse gives it: pressed where it starts,
// released when the object goes. SendInput rounds absolute coordinates, so each move answers
// with where the cursor really is.
// A click as the user's mouse gives it, with the given button's flags (MOUSEEVENTF_RIGHTDOWN…).
void ClickAt(POINT at, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP);

class MouseDrag {
 public:
  // Waits until the window under `from` has taken the mouse, unless `taken` says it cannot yet.
  enum class Capture { Awaited, Later };
  explicit MouseDrag(POINT from, Capture taken = Capture::Awaited);
  MouseDrag(const MouseDrag&) = delete;
  MouseDrag& operator=(const MouseDrag&) = delete;
  ~MouseDrag();

  POINT MoveTo(POINT to);
  // Waits as a hand holding the mouse still would: Wine may report the pointer's crossing into a
  // window that moved under it after the next move, which puts the cursor back where it was;
  // the move is then made again.
  bool HoldUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

 private:
  POINT held_{};
};

// Every thread of the process stopped while the object lives, as a busy machine may stop it
// between two inputs.
class ProcessPause {
 public:
  explicit ProcessPause(DWORD processId);
  ProcessPause(const ProcessPause&) = delete;
  ProcessPause& operator=(const ProcessPause&) = delete;
  ~ProcessPause();

 private:
  std::vector<HANDLE> threads_;
};

// Ends every dftline.exe, forgets the stored settings and removes the settings folders.
void ResetProgramState();

// The first top-level window of the process with that class, or nullptr.
HWND FindProcessWindow(DWORD processId, const char* className, bool visibleOnly = true);
std::string WindowText(HWND hwnd);
std::string ClassNameOf(HWND hwnd);
bool MutexExists(const std::string& name);

// Waits on another thread for this process's message box with that caption, keeps its text and
// presses OK; the caller shows the box meanwhile.
class MessageBoxAnswer {
 public:
  // Presses `answer` (IDOK, IDYES, IDNO...).
  explicit MessageBoxAnswer(std::string caption = platform::ProgramName(), int answer = IDOK);
  MessageBoxAnswer(const MessageBoxAnswer&) = delete;
  MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;
  ~MessageBoxAnswer();
  // The box's text, once it has been answered.
  const std::string& Text();

 private:
  std::string text_;
  std::thread thread_;
};

// Waits on another thread for a file-open dialog owned by `owner`, types `path` into it and
// presses Open; the caller opens the dialog meanwhile.
class OpenDialogAnswer {
 public:
  OpenDialogAnswer(HWND owner, std::string path);
  OpenDialogAnswer(const OpenDialogAnswer&) = delete;
  OpenDialogAnswer& operator=(const OpenDialogAnswer&) = delete;
  ~OpenDialogAnswer();

 private:
  std::thread thread_;
};

// A copy of this test program, created suspended: a running process that does nothing. It is
// ended with the object.
class SuspendedProcess {
 public:
  SuspendedProcess();
  SuspendedProcess(const SuspendedProcess&) = delete;
  SuspendedProcess& operator=(const SuspendedProcess&) = delete;
  ~SuspendedProcess();

  DWORD Id() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_{};
};

// The id of a process that has ended, as a killed one leaves its id on its files.
DWORD EndedProcessId();

// The screen's pixels in the area, copied at once so that a moving picture is caught whole.
std::vector<COLORREF> CaptureScreen(const RECT& area);
// The bar's default text colour as Wine's smoothed fonts draw it.
bool IsNearlyMaroon(COLORREF c);

// A program file to start instead of the one beside the tests.
struct ProgramFile {
  std::string path;
};

class RunningProgram {
 public:
  explicit RunningProgram(const std::string& arguments = {});
  RunningProgram(const ProgramFile& program, const std::string& arguments);
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();  // ends the process if it still runs

  DWORD ProcessId() const { return info_.dwProcessId; }
  // The bar window once it is visible; fails the test if it does not appear.
  HWND WaitForBar(DWORD timeoutMs = 15000);
  // Waits for the process to end; returns its exit code, or STILL_ACTIVE on time-out.
  DWORD WaitForExit(DWORD timeoutMs = 15000);
  bool Running() const;

 private:
  PROCESS_INFORMATION info_{};
};

}  // namespace testing_support

// --- The shell's app-bar reservations -------------------------------------------------------

#include "core/placement/ScreenGeometry.h"

namespace testing_support {

// The shell's answer (ABM_QUERYPOS) for a full-width strip 30 pixels high at the top (ABE_TOP)
// or bottom (ABE_BOTTOM) of the primary screen, asked by a throw-away bar registered after every
// other: each reservation made before moves the strip's top down (at the bottom, its bottom up).
// Wine never reduces the work area, so this is how a reservation is seen.
core::Rect ReservationQuery(UINT edge);

}  // namespace testing_support

// --- The notification area ------------------------------------------------------------------

namespace testing_support {

// The icons in Wine's standalone tray window ("Wine System Tray"): one child window per icon.
// None while there is no such window.
std::vector<HWND> TrayIconWindows();

}  // namespace testing_support

// --- The shell's file associations ----------------------------------------------------------

namespace testing_support {

// A stand-in for the user's program for files with `extension` (".log"): it copies the file it
// is asked to open to `copyTo`. The extension's own association comes back with the object.
// Stands in for the user's web browser while it lives: every http or https address the shell
// opens is appended, one per line, to `recordTo`.
class BrowserStandIn {
 public:
  explicit BrowserStandIn(const std::string& recordTo);
  BrowserStandIn(const BrowserStandIn&) = delete;
  BrowserStandIn& operator=(const BrowserStandIn&) = delete;
  ~BrowserStandIn();

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> previous_;  // key, command
};

class FileAssociation {
 public:
  FileAssociation(std::string extension, const std::string& copyTo);
  FileAssociation(const FileAssociation&) = delete;
  FileAssociation& operator=(const FileAssociation&) = delete;
  ~FileAssociation();

 private:
  std::string extension_;
  bool keyExisted_ = false;
  std::optional<std::string> previousType_;
};

}  // namespace testing_support

// --- Policies -------------------------------------------------------------------------------

namespace testing_support {

// Values under the policy key of `root`, as the policy editor writes them; they go with the
// object, or when cleared.
class PolicyValues {
 public:
  explicit PolicyValues(HKEY root) : root_(root) {}
  PolicyValues(const PolicyValues&) = delete;
  PolicyValues& operator=(const PolicyValues&) = delete;
  ~PolicyValues() { Clear(); }

  void Set(const char* name, DWORD value) const {
    ::RegSetKeyValueA(root_, kKey, name, REG_DWORD, &value, sizeof value);
  }
  void Set(const char* name, const std::string& text) const {
    ::RegSetKeyValueA(root_, kKey, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  void Clear() const { ::RegDeleteTreeA(root_, kKey); }

 private:
  static constexpr const char* kKey = "Software\\Policies\\Quorvane\\Driftline";
  HKEY root_;
};

// What the system sends every top-level window after it has refreshed the policies.
inline void SendPolicyChange(HWND window) {
  ::SendMessageTimeoutA(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
}

}  // namespace testing_support
