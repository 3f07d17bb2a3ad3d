// The About box and the help page beside the program.

#include "app/ResourceIds.h"
#include "app/Ticker.h"
#include "core/program/AboutRules.h"
#include "dialogs/About.h"
#include "platform/FileSystem.h"

void TForm1::aAboutExecute() {
  CreateModal<TAboutBox>();
}

void TForm1::aHelpExecute() {
  OpenWithShell(core::HelpPagePath(platform::ModuleFileName()));
}

AboutTexts TForm1::About() const {
  const MyResources resources;
  return {.product = resources.GetString(IDS_PRODUCT),
          .version = resources.GetString(IDS_VERSION),
          .notice = resources.GetString(IDS_NOTICE),
          .company = resources.GetString(IDS_COMPANY),
          .webAddress = resources.GetString(IDS_WEB_ADDRESS),
          .iconId = IDI_MAINICON};
}
