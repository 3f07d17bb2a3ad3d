// GetSettings and SaveSettings of the whole ticker table through a real ini file and through
// the real registry: the median of many runs, each a whole read or save as the bar makes it.

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "components/Settings.h"
#include "core/settings/IniText.h"
#include "core/settings/TickerSettings.h"
#include "platform/TextFile.h"

namespace {

constexpr int kRuns = 50;
constexpr char kVendor[] = "QuorvaneStoreBench";

struct Figures {
  double median = 0;
  double fastest = 0;
  double slowest = 0;
};

Figures Measure(const std::function<void()>& operation) {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> micros;
  for (int run = 0; run < kRuns; ++run) {
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    ::QueryPerformanceCounter(&start);
    operation();
    ::QueryPerformanceCounter(&end);
    micros.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                     static_cast<double>(frequency.QuadPart));
  }
  std::sort(micros.begin(), micros.end());
  return {micros[micros.size() / 2], micros.front(), micros.back()};
}

void RemoveTree(const std::string& path) {
  std::string from = path;
  from.push_back('\0');
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  ::SHFileOperationA(&operation);
}

std::string VendorFolder() {
  char appData[MAX_PATH] = {};
  ::SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE);
  return std::string(appData) + "\\" + kVendor;
}

void Clean() {
  const std::string key = std::string("Software\\") + kVendor;
  ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
  RemoveTree(VendorFolder());
}

// The store as the bar fills it: ActiveTab first, then every ticker value in write order.
void SetUpStore(TSettings& settings, int& failures) {
  settings.OnLog = [&failures](const std::string& message) {
    if (message.find("exception") != std::string::npos) {
      ++failures;
      std::printf("%s\n", message.c_str());
    }
  };
  settings.Properties().SettingsPath = std::string(kVendor) + "\\Driftline";
  settings.Properties().IniFileName = "dftline1.ini";
  settings.Properties().RegKeyName = std::string("Software\\") + kVendor + "\\Driftline\\1";
  settings.SetValue(core::kActiveTabName, core::Value{core::kActiveTabDefault});
  core::StoreTickerSettings(core::TickerSettings{}, settings.Values());
}

void PrintRow(const char* operation, const char* place, const Figures& figures) {
  std::printf("%-13s %-20s %10.1f %10.1f %10.1f\n", operation, place, figures.median,
              figures.fastest, figures.slowest);
}

}  // namespace

int main() {
  Clean();
  int failures = 0;
  TSettings settings;
  SetUpStore(settings, failures);

  std::printf("%zu values, %d runs each, microseconds per whole operation\n\n",
              settings.Values().Size(), kRuns);
  std::printf("%-13s %-20s %10s %10s %10s\n", "operation", "place", "median", "fastest", "slowest");

  settings.Properties().UseIni = true;
  settings.SaveSettings();
  PrintRow("SaveSettings", "ini (per user)", Measure([&] {
             settings.Properties().UseIni = true;
             settings.SaveSettings();
           }));
  // The part of an ini save that makes it safe: the same text to a temporary file, flushed to
  // the disk and renamed over the old one.
  const std::string path = VendorFolder() + "\\Driftline\\dftline1.ini";
  const std::string text = core::WriteIniValues("", "Settings", settings.Values()).text;
  PrintRow("  of which", "file replace",
           Measure([&] { failures += platform::ReplaceTextFile(path, text) ? 0 : 1; }));
  PrintRow("GetSettings", "ini (per user)", Measure([&] { settings.GetSettings(); }));

  // The first registry save removes the ini file, so the search then finds the key.
  settings.Properties().UseIni = false;
  settings.SaveSettings();
  PrintRow("SaveSettings", "registry (HKCU)", Measure([&] {
             settings.Properties().UseIni = false;
             settings.SaveSettings();
           }));
  PrintRow("GetSettings", "registry (HKCU)", Measure([&] { settings.GetSettings(); }));

  Clean();
  if (failures != 0) std::printf("\n%d store failures\n", failures);
  return failures == 0 ? 0 : 1;
}
