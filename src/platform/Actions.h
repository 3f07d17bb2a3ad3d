#pragma once
// Named commands shared by menus, shortcut keys and window messages.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace platform {

struct Action {
  UINT id = 0;  // also the WM_COMMAND identifier
  std::string caption;
  UINT shortcutKey = 0;  // a virtual key without modifiers, or 0
  std::function<void()> onExecute;
  bool enabled = true;
  // A hidden action is in no menu and runs from no key or command.
  bool visible = true;

  // An action without a handler, or switched off, shows greyed.
  bool Available() const { return enabled && static_cast<bool>(onExecute); }
};

class ActionList {
 public:
  Action& Add(Action action);
  Action* Find(UINT id);
  // Runs the action; false when there is no such action or it is unavailable.
  bool Execute(UINT id);
  // Runs the action bound to an unmodified key press.
  bool ExecuteShortcut(UINT virtualKey);

 private:
  std::vector<Action> actions_;
};

// A popup menu built afresh at each showing, so captions and availability are current.
class PopupMenu {
 public:
  struct Item {
    UINT actionId = 0;    // 0 for a separator
    std::string caption;  // empty: the action's caption
  };

  explicit PopupMenu(ActionList& actions) : actions_(actions) {}
  void AddAction(UINT actionId, std::string caption = {});
  void AddSeparator();
  const std::vector<Item>& Items() const { return items_; }

  // Shows the menu at a screen position and runs the chosen action.
  void Popup(HWND owner, POINT screenPosition);

 private:
  ActionList& actions_;
  std::vector<Item> items_;
};

}  // namespace platform
