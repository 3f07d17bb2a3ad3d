// The ini text of the whole ticker table: producing it, parsing it, merging it into a file that
// holds foreign sections of growing size, and a store's read and save through it.

#include "core/settings/IniText.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/TickerSettings.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace {

using namespace core;

ValueTable TickerTable() {
  ValueTable table;
  table.Set(kActiveTabName, Value{kActiveTabDefault});
  TickerSettings settings;
  settings.File = "C:\\Users\\me\\Documents\\Quorvane news\\headlines.txt";
  settings.FileUrl = "https://news.example.com/ticker/headlines.txt";
  settings.CommentStr = "; ";
  StoreTickerSettings(settings, table);
  return table;
}

// A file another program shares: foreign sections of about `size` bytes around ours.
std::string FileWithForeignSections(std::size_t size) {
  std::string text = "; shared settings\r\n[Window]\r\nLeft=10\r\nTop=20\r\n\r\n";
  text += WriteIniValues("", "Settings", TickerTable()).text;
  for (int section = 0; text.size() < size; ++section) {
    text += "\r\n[Plugin" + std::to_string(section) + "]\r\n";
    for (int name = 0; name < 20 && text.size() < size; ++name) {
      text += "Option" + std::to_string(name) + "=some value of a plugin\r\n";
    }
  }
  return text;
}

void BM_SettingsIniProduceTickerTable(benchmark::State& state) {
  const ValueTable table = TickerTable();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const IniWrite written = WriteIniValues("", "Settings", table);
    bytes += written.text.size();
    benchmark::DoNotOptimize(written.text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_SettingsIniProduceTickerTable);

void BM_SettingsIniParseTickerTable(benchmark::State& state) {
  const std::string text = WriteIniValues("", "Settings", TickerTable()).text;
  ValueTable table = TickerTable();
  for (auto _ : state) {
    ReadIniValues(text, "Settings", table);
    benchmark::DoNotOptimize(table.begin()->value);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SettingsIniParseTickerTable);

void BM_SettingsIniMergeIntoForeignFile(benchmark::State& state) {
  const std::string file = FileWithForeignSections(static_cast<std::size_t>(state.range(0)));
  const ValueTable table = TickerTable();
  for (auto _ : state) {
    const IniWrite written = WriteIniValues(file, "Settings", table);
    benchmark::DoNotOptimize(written.text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_SettingsIniMergeIntoForeignFile)->RangeMultiplier(10)->Range(100, 10'000'000);

// Files in memory, and nothing else: what the store itself costs around the file operations.
class MemorySystem : public SettingsSystem {
 public:
  std::map<std::string, std::string> files;
  std::string ProgramPath() override { return "C:\\Tools\\dftline.exe"; }
  std::optional<std::string> SpecialFolderPath(SpecialFolder) override { return "C:\\Data"; }
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  void RemoveFile(const std::string& path) override { files.erase(path); }
  bool FolderExists(const std::string&) override { return true; }
  bool MakeFolder(const std::string&) override { return true; }
  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot, const std::string&, KeyOpening) override {
    return nullptr;
  }
  void RemoveKey(RegistryRoot, const std::string&) override {}
  std::optional<std::string> ReadTextFile(const std::string& path) override {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  bool ReplaceTextFile(const std::string& path, const std::string& text) override {
    files[path] = text;
    return true;
  }
  int RemoveLeftoverTemporaries(const std::string&) override { return 0; }
};

void BM_SettingsStoreSaveAndGetThroughIni(benchmark::State& state) {
  MemorySystem system;
  SettingsStore store(system);
  store.Properties().SettingsPath = "Quorvane\\Driftline";
  store.Properties().UseIni = true;
  for (const auto& entry : TickerTable()) store.SetValue(entry.Name(), entry.value);
  for (auto _ : state) {
    store.SaveSettings();
    store.GetSettings();
  }
}
BENCHMARK(BM_SettingsStoreSaveAndGetThroughIni);

}  // namespace
