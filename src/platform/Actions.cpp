#include "platform/Actions.h"

#include <utility>

#include "platform/Handles.h"
#include "platform/SystemError.h"

namespace platform {

Action& ActionList::Add(Action action) {
  return actions_.emplace_back(std::move(action));
}

Action* ActionList::Find(UINT id) {
  for (Action& action : actions_) {
    if (action.id == id) return &action;
  }
  return nullptr;
}

bool ActionList::Execute(UINT id) {
  Action* action = Find(id);
  if (!action || !action->visible || !action->Available()) return false;
  action->onExecute();
  return true;
}

bool ActionList::ExecuteShortcut(UINT virtualKey) {
  if (virtualKey == 0) return false;
  for (const Action& action : actions_) {
    if (action.shortcutKey == virtualKey) return Execute(action.id);
  }
  return false;
}

void PopupMenu::AddAction(UINT actionId, std::string caption) {
  items_.push_back({actionId, std::move(caption)});
}

void PopupMenu::AddSeparator() {
  items_.push_back({});
}

void PopupMenu::Popup(HWND owner, POINT at) {
  UniqueMenu menu(CheckHandle(::CreatePopupMenu()));
  // A separator goes in only between two shown items, so a hidden one leaves no double line.
  bool separate = false;
  for (const Item& item : items_) {
    if (item.actionId == 0) {
      separate = ::GetMenuItemCount(menu.get()) > 0;
      continue;
    }
    const Action* action = actions_.Find(item.actionId);
    if (!action || !action->visible) continue;
    if (std::exchange(separate, false)) ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    const std::string& caption = item.caption.empty() ? action->caption : item.caption;
    const UINT flags = MF_STRING | (action->Available() ? MF_ENABLED : MF_GRAYED);
    ::AppendMenuA(menu.get(), flags, item.actionId, caption.c_str());
  }
  // Without the foreground the menu would not close when the user clicks elsewhere.
  ::SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  ::PostMessageA(owner, WM_NULL, 0, 0);
  if (chosen != 0) actions_.Execute(chosen);
}

}  // namespace platform
