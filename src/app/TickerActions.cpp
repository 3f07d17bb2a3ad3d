// The bar's actions and menus, and the commands and keys that reach them.

#include "app/Commands.h"
#include "app/Ticker.h"

void TForm1::CreateActions() {
  ActionList1.Add(
      {.id = CMD_MINIMIZE, .caption = "&Minimize", .onExecute = [this] { aMinimizeExecute(); }});
  ActionList1.Add(
      {.id = CMD_RESTORE, .caption = "&Restore", .onExecute = [this] { aRestoreExecute(); }});
  ActionList1.Add({.id = CMD_PAUSE, .caption = "&Pause", .onExecute = [this] { pauseToggle(); }});
  ActionList1.Add(
      {.id = CMD_LOAD_FILE, .caption = "&Load File", .onExecute = [this] { aLoadFileExecute(); }});
  // Ending in the code page's ellipsis.
  ActionList1.Add(
      {.id = CMD_SOURCES, .caption = "&Sources\x85", .onExecute = [this] { aSourcesExecute(); }});
  ActionList1.Add(
      {.id = CMD_REFRESH, .caption = "Re&fresh now", .onExecute = [this] { aRefreshExecute(); }});
  ActionList1.Add(
      {.id = CMD_OPTIONS, .caption = "&Options", .shortcutKey = VK_F8, .onExecute = [this] {
         aOptionsExecute();
       }});
  ActionList1.Add({.id = CMD_HELP, .caption = "&Help", .onExecute = [this] { aHelpExecute(); }});
  ActionList1.Add({.id = CMD_ABOUT, .caption = "&About", .onExecute = [this] { aAboutExecute(); }});
  ActionList1.Add({.id = CMD_EXIT, .caption = "E&xit", .onExecute = [this] { aExitExecute(); }});
}

void TForm1::CreateMenus() {
  PopupMenu1 = std::make_unique<platform::PopupMenu>(ActionList1);
  PopupMenu1->AddAction(CMD_MINIMIZE);
  PopupMenu1->AddAction(CMD_PAUSE);
  PopupMenu1->AddSeparator();
  PopupMenu1->AddAction(CMD_LOAD_FILE);
  PopupMenu1->AddAction(CMD_SOURCES);
  PopupMenu1->AddAction(CMD_REFRESH);
  PopupMenu1->AddAction(CMD_OPTIONS, "&Options");
  PopupMenu1->AddSeparator();
  PopupMenu1->AddAction(CMD_HELP);
  PopupMenu1->AddAction(CMD_ABOUT);
  PopupMenu1->AddSeparator();
  PopupMenu1->AddAction(CMD_EXIT);

  PopupMenu2 = std::make_unique<platform::PopupMenu>(ActionList1);
  PopupMenu2->AddAction(CMD_RESTORE);
  PopupMenu2->AddAction(CMD_SOURCES);
  PopupMenu2->AddAction(CMD_REFRESH);
  PopupMenu2->AddAction(CMD_HELP);
  PopupMenu2->AddAction(CMD_ABOUT);
  PopupMenu2->AddAction(CMD_EXIT);
}

LRESULT TForm1::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Menu items and commands that other programs send; controls' notifications go on.
  if (lParam == 0 && ActionList1.Execute(LOWORD(wParam))) return 0;
  return DefaultHandling(WM_COMMAND, wParam, lParam);
}

void TForm1::OnContextMenu(LPARAM lParam) {
  POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (lParam == -1) {  // from the keyboard: open at the bar's corner
    RECT bounds{};
    ::GetWindowRect(Handle(), &bounds);
    at = {bounds.left, bounds.bottom};
  }
  PopupMenu1->Popup(Handle(), at);
}

bool TForm1::IsShortCut(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != Handle() && !::IsChild(Handle(), message.hwnd)) return false;
  const UINT key = static_cast<UINT>(message.wParam);
  const bool modified = (::GetKeyState(VK_CONTROL) < 0) || (::GetKeyState(VK_MENU) < 0) ||
                        (::GetKeyState(VK_SHIFT) < 0);
  if (!modified && ActionList1.ExecuteShortcut(key)) return true;
  FormKeyDown(key);
  return true;
}
