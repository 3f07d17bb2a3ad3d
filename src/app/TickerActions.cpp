// The bar's actions and menus. Handlers of behaviour that is
// not there yet stay empty, which shows the action greyed.

#include "app/Commands.h"
#include "app/Ticker.h"

void TForm1::CreateActions() {
  ActionList1.Add({.id = CMD_MINIMIZE, .caption = "&Minimize"});
  ActionList1.Add({.id = CMD_RESTORE, .caption = "&Restore"});
  ActionList1.Add({.id = CMD_PAUSE, .caption = "&Pause"});
  ActionList1.Add({.id = CMD_LOAD_FILE, .caption = "&Load File"});
  ActionList1.Add({.id = CMD_OPTIONS, .caption = "&Options", .shortcutKey = VK_F8});
  ActionList1.Add({.id = CMD_HELP, .caption = "&Help"});
  ActionList1.Add({.id = CMD_ABOUT, .caption = "&About"});
  ActionList1.Add({.id = CMD_EXIT, .caption = "E&xit", .onExecute = [this] { aExitExecute(); }});
}

void TForm1::CreateMenus() {
  PopupMenu1 = std::make_unique<platform::PopupMenu>(ActionList1);
  PopupMenu1->AddAction(CMD_MINIMIZE);
  PopupMenu1->AddAction(CMD_PAUSE);
  PopupMenu1->AddSeparator();
  PopupMenu1->AddAction(CMD_LOAD_FILE);
  PopupMenu1->AddAction(CMD_OPTIONS, "&Options");
  PopupMenu1->AddSeparator();
  PopupMenu1->AddAction(CMD_HELP);
  PopupMenu1->AddAction(CMD_ABOUT);
  PopupMenu1->AddSeparator();
  PopupMenu1->AddAction(CMD_EXIT);

  PopupMenu2 = std::make_unique<platform::PopupMenu>(ActionList1);
  PopupMenu2->AddAction(CMD_RESTORE);
  PopupMenu2->AddAction(CMD_HELP);
  PopupMenu2->AddAction(CMD_ABOUT);
  PopupMenu2->AddAction(CMD_EXIT);
}
