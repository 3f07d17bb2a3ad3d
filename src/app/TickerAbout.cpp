// The About box and the help page beside the program.

#include "app/Ticker.h"
#include "core/AboutRules.h"
#include "dialogs/About.h"
#include "platform/FileSystem.h"

void TForm1::aAboutExecute() {
  CreateModal<TAboutBox>();
}

void TForm1::aHelpExecute() {
  OpenWithShell(core::HelpPagePath(platform::ModuleFileName()));
}
