// The libraries that serve only the dialogs and the change sound stay out of a bar that shows a
// local file, and come in when the feature is first used.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "HttpTestServer.h"
#include "ProgramOnSettings.h"

using namespace testing_support;

namespace {

constexpr const char* kOnFirstUse[] = {"comctl32.dll", "comdlg32.dll", "winmm.dll", "wininet.dll"};

struct FirstUseCase {
  const char* what;
  const char* library;
  std::string settings;
  // Uses the feature in the running bar, which shows `file`.
  std::function<void(HWND bar, const std::string& file)> use;
};

std::string ShownFile() {
  return TempFilePath("driftline-libraries.txt");
}
// Missing at start, so that the first text plays nothing.
std::string SoundFile() {
  return TempFilePath("driftline-libraries.wav");
}

class ProgramLibraries : public ProgramOnSettings,
                         public testing::WithParamInterface<FirstUseCase> {
 protected:
  static bool Loaded(DWORD processId, const char* library) {
    const auto modules = ModulesOf(processId);
    return std::find(modules.begin(), modules.end(), library) != modules.end();
  }
};

TEST_P(ProgramLibraries, AreLoadedOnlyWhenTheirFeatureIsFirstUsed) {
  const FirstUseCase& c = GetParam();
  const std::string file = ShownFile();
  ::DeleteFileA(SoundFile().c_str());
  WriteWholeFile(file, "First headline\r\n");
  auto program = Start("File=" + file + "\r\n" + c.settings);
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return Loaded(program->ProcessId(), "dftline.exe"); }))
      << "the bar's modules cannot be listed";
  for (const char* library : kOnFirstUse) {
    EXPECT_FALSE(Loaded(program->ProcessId(), library)) << library << " at start";
  }
  c.use(bar, file);
  EXPECT_TRUE(WaitUntil([&] { return Loaded(program->ProcessId(), c.library); }));
  Exit(*program, bar);
  ::DeleteFileA(file.c_str());
  ::DeleteFileA(SoundFile().c_str());
}

TEST_F(ProgramLibraries, AWebAddressLoadsWinInetForItsFetch) {
  HttpTestServer server([](const HttpRequest&) { return HttpResponse{200, "", "first\n"}; });
  auto program = Start("UseAutoReload=1\r\n", server.Url());
  HWND bar = program->WaitForBar();
  ASSERT_TRUE(WaitUntil([&] { return server.RequestCount() >= 1; }));
  EXPECT_TRUE(Loaded(program->ProcessId(), "wininet.dll"));
  Exit(*program, bar);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramLibraries,
    testing::Values(FirstUseCase{"OptionsDialog", "comctl32.dll", "",
                                 [](HWND bar, const std::string&) {
                                   ::PostMessageA(bar, WM_COMMAND, CMD_OPTIONS, 0);
                                   WaitUntil([] {
                                     return ::FindWindowA("TOptionsForm", nullptr) != nullptr;
                                   });
                                 }},
                    FirstUseCase{"OpenFileDialog", "comdlg32.dll", "",
                                 [](HWND bar, const std::string& file) {
                                   OpenDialogAnswer answer(bar, file);
                                   ::PostMessageA(bar, WM_COMMAND, CMD_LOAD_FILE, 0);
                                 }},
                    // No wave inside: the call fails as for any broken file, after the load.
                    FirstUseCase{
                        "ChangeSound", "winmm.dll",
                        "UseAutoReload=1\r\nGetFileDelay=100\r\nSoundOnChange=1\r\nWavFile=" +
                            SoundFile() + "\r\n",
                        [](HWND, const std::string& file) {
                          WriteWholeFile(SoundFile(), "not a wave");
                          WriteWholeFile(file, "Second headline\r\n");
                          TouchFile(file, 10);
                        }}),
    [](const testing::TestParamInfo<FirstUseCase>& info) { return info.param.what; });

}  // namespace
