// The bar's own text operations, driven in-process against real files, timers and dialogs.

#include "app/Ticker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "AddressSpace.h"
#include "Commands.h"
#include "InProcessBar.h"
#include "ProgramDriver.h"
#include "core/text/FileStamp.h"
#include "platform/CodePageText.h"
#include "platform/FileSystem.h"

using namespace testing_support;

namespace {

std::string TempPath(const std::string& name) {
  return TempFilePath("driftline-text-" + name);
}

class TickerText : public InProcessBar {
 protected:
  void TearDown() override {
    InProcessBar::TearDown();
    for (const auto& path : made) ::DeleteFileA(path.c_str());
  }

  std::string MakeFile(const std::string& name, const std::string& text) {
    const std::string path = TempPath(name);
    WriteWholeFile(path, text);
    made.push_back(path);
    return path;
  }
  // As a user shows a file: drops it on the bar.
  void ShowFile(const std::string& path) {
    ::SendMessageA(bar->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({path})), 0);
  }
  std::vector<std::string> made;
};

TEST_F(TickerText, ShowsTheFileAndReadsItAgainOnlyWhenItsStampChanges) {
  const std::string path = MakeFile("news.txt", "first\r\nsecond\r\n");
  ShowFile(path);
  EXPECT_EQ(Shown(), "first second ");
  EXPECT_EQ(bar->DisplayLineStore().ParagraphCount(), 2u);

  WriteWholeFile(path, "third\n");
  TouchFile(path, 10);
  bar->TimerGetFileTimer();
  EXPECT_EQ(Shown(), "third ");

  // Rewritten within the same stamp: not read.
  const std::int32_t stamp = bar->FileTimestamp();
  WriteWholeFile(path, "fourth\n");
  TouchFile(path, 10);
  ASSERT_EQ(bar->FileTimestamp(), stamp);
  bar->TimerGetFileTimer();
  EXPECT_EQ(Shown(), "third ");
}

TEST_F(TickerText, AFileHeldOpenForWritingIsReadAfterTheWriterClosesIt) {
  const std::string path = MakeFile("held.txt", "one\n");
  ShowFile(path);
  ASSERT_EQ(Shown(), "one ");
  HANDLE writer = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ::WriteFile(writer, "two\n", 4, &written, nullptr);
  TouchFile(path, 10);
  bar->TimerGetFileTimer();
  EXPECT_EQ(Shown(), "one ") << "the old text stays while the file cannot be read";
  ::CloseHandle(writer);
  bar->TimerGetFileTimer();
  EXPECT_EQ(Shown(), "two ") << "a failed read is tried again at the next check";
}

TEST_F(TickerText, MissingAndEmptyFilesShowABlank) {
  ShowFile(TempPath("no-such-file.txt"));
  EXPECT_TRUE(bar->IsFileMissing());
  EXPECT_EQ(Shown(), " ");
  EXPECT_EQ(bar->FileTimestamp(), core::kStampMissing);

  const std::string empty = MakeFile("empty.txt", "");
  ShowFile(empty);
  EXPECT_TRUE(bar->IsFileEmpty());
  EXPECT_EQ(bar->FileTimestamp(), core::kStampEmpty);
  EXPECT_EQ(Shown(), " ");

  const std::string lineBreak = MakeFile("break.txt", "\r\n");
  ShowFile(lineBreak);
  EXPECT_FALSE(bar->IsFileEmpty());
  EXPECT_EQ(Shown(), " ");
}

TEST_F(TickerText, BinaryAndOversizedFilesLeaveTheBarRunning) {
  ShowFile(MakeFile("binary.bin", std::string("\x01\x02"
                                              "ab\x7f\xff"
                                              "\0cd",
                                              9)));
  // Not UTF-8: the system's code page.
  const std::string binary = "  ab\x7f" + *platform::CodePageToUtf8("\xff", 0) + " ";
  EXPECT_EQ(Shown(), binary) << "control codes become blanks; a NUL ends the text";

  const std::string huge = TempPath("huge.txt");
  made.push_back(huge);
  HANDLE file = ::CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  LARGE_INTEGER size{};
  size.QuadPart = 300LL * 1024 * 1024;
  ::SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
  ::SetEndOfFile(file);
  ::CloseHandle(file);
  ShowFile(huge);
  EXPECT_EQ(Shown(), binary) << "too large to show: the old text stays";
  // Not opened again until it changes: a read now would fail on the lock and forget the stamp.
  EXPECT_EQ(bar->FileTimestamp(), platform::LastWriteStamp(huge));
  HANDLE locked = ::CreateFileA(huge.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  bar->TimerGetFileTimer();
  ::CloseHandle(locked);
  EXPECT_EQ(bar->FileTimestamp(), platform::LastWriteStamp(huge));
}

TEST_F(TickerText, LineSelectionAndCommentsComeFromTheValues) {
  Change([](core::TickerSettings& values) {
    values.LoadLastLines = true;
    values.LinesToLoad = 2;
    values.UseComment = true;
    values.CommentStr = " ; ";
  });
  ShowFile(MakeFile("lines.txt", "a\n;b\nc\n  ;d\ne\n"));
  EXPECT_EQ(Shown(), "c e ");
}

TEST_F(TickerText, ADropOfThreeFilesShowsTheFirstAndSavesIt) {
  const std::string first = MakeFile("dropped-1.txt", "dropped one\n");
  const std::string second = MakeFile("dropped-2.txt", "dropped two\n");
  Change([](core::TickerSettings& values) { values.UseFileUrl = true; });
  ::SendMessageA(bar->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({first, second, TempPath("third.txt")})), 0);
  EXPECT_EQ(bar->Values().File, first);
  EXPECT_FALSE(bar->Values().UseFileUrl);
  EXPECT_EQ(Shown(), "dropped one ");
  char stored[MAX_PATH] = {};
  DWORD size = sizeof stored;
  ASSERT_EQ(::RegGetValueA(HKEY_CURRENT_USER, "Software\\Quorvane\\Driftline\\1", "File",
                           RRF_RT_REG_SZ, nullptr, stored, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::string(stored), first);
}

// Answers the file-open dialog from another thread: reads its preset name, then types one.
class OpenDialogAnswer {
 public:
  explicit OpenDialogAnswer(std::string answer) : answer_(std::move(answer)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~OpenDialogAnswer() { thread_.join(); }
  std::string preset;

 private:
  void Run() {
    HWND dialog = nullptr;
    WaitUntil([&] {
      dialog = ::FindWindowA("#32770", nullptr);
      return dialog && ::IsWindowVisible(dialog);
    });
    if (!dialog) return;
    HWND name = ::GetDlgItem(dialog, 0x47C);  // the file name box
    preset = WindowText(name);
    if (answer_.empty()) {
      ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer_.c_str()));
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  }
  std::string answer_;
  std::thread thread_;
};

TEST_F(TickerText, LoadFileOffersTheCurrentFileAndShowsTheChosenOne) {
  const std::string current = MakeFile("current.txt", "current\n");
  const std::string chosen = MakeFile("chosen.txt", "chosen\n");
  ShowFile(current);
  {
    OpenDialogAnswer cancel("");
    ::SendMessageA(bar->Handle(), WM_COMMAND, CMD_LOAD_FILE, 0);
  }
  EXPECT_EQ(bar->Values().File, current);
  EXPECT_EQ(Shown(), "current ");
  std::string preset;
  {
    OpenDialogAnswer answer(chosen);
    ::SendMessageA(bar->Handle(), WM_COMMAND, CMD_LOAD_FILE, 0);
    preset = answer.preset;
  }
  EXPECT_NE(preset.find("driftline-text-current.txt"), std::string::npos) << preset;
  EXPECT_EQ(bar->Values().File, chosen);
  EXPECT_EQ(Shown(), "chosen ");
}

TEST_F(TickerText, ADamagedLogoKeepsThePreviousPicture) {
  // A 2 x 1 bitmap, written by hand.
  std::string bitmap("BM", 2);
  const DWORD header[] = {62, 0, 54, 40, 2, 1};
  for (DWORD value : header) bitmap.append(reinterpret_cast<const char*>(&value), 4);
  const WORD planesAndBits[] = {1, 24};
  bitmap.append(reinterpret_cast<const char*>(planesAndBits), 4);
  bitmap.append(24 + 8, '\0');
  const std::string good = MakeFile("logo.bmp", bitmap);
  Change([&](core::TickerSettings& values) { values.LogoFile = good; });
  ASSERT_NE(bar->Logo(), nullptr);
  const platform::Picture* before = bar->Logo();
  const std::string damaged = MakeFile("logo.jpg", "\xFF\xD8\xFF\xE0 truncated");
  Change([&](core::TickerSettings& values) { values.LogoFile = damaged; });
  EXPECT_EQ(bar->Logo(), before);
  EXPECT_EQ(bar->Logo()->Width(), 2);
}

TEST_F(TickerText, BeforeAnyFileTheBarHoldsItsDefaultTexts) {
  EXPECT_EQ(Shown(), "Driftline from Quorvane - right click to see options.  ");
  EXPECT_THAT(bar->DisplayLineStore().Paragraphs(),
              testing::ElementsAre(u"Driftline from Quorvane", u"Right click to see options."));
}

TEST_F(TickerText, RunningOutOfMemoryKeepsTheOldTextAndTriesAgainAtTheNextCheck) {
  ShowFile(MakeFile("small.txt", "small\n"));
  const std::string large = MakeFile("large.txt", std::string(40u << 20, 'x') + "\n");
  {
    AddressSpaceHog hog(24u << 20);
    ShowFile(large);
    EXPECT_TRUE(Shown() == "small ") << "the old text stays";
    EXPECT_EQ(bar->FileTimestamp(), core::kStampForceRead);
  }
  bar->TimerGetFileTimer();
  EXPECT_EQ(Shown().size(), (40u << 20) + 1);
}

TEST_F(TickerText, AnUnchangedReReadKeepsNoSecondCopy) {
  const std::string text = std::string(32u << 20, 'y') + "\n";
  const std::string path = MakeFile("same.txt", text);
  ShowFile(path);
  const size_t before = FreeAddressSpace();
  WriteWholeFile(path, text);
  TouchFile(path, 10);
  bar->TimerGetFileTimer();
  ASSERT_EQ(bar->FileTimestamp(), platform::LastWriteStamp(path)) << "read again";
  EXPECT_LT(before - std::min(before, FreeAddressSpace()), text.size() / 2);
}

TEST_F(TickerText, SpeedKeysChangeTheValuesAtOnce) {
  const MSG slower{bar->Handle(), WM_KEYDOWN, VK_DOWN, 0};
  const MSG largerStep{bar->Handle(), WM_KEYDOWN, VK_RIGHT, 0};
  EXPECT_TRUE(bar->IsShortCut(slower));
  EXPECT_TRUE(bar->IsShortCut(largerStep));
  EXPECT_EQ(bar->Values().Delay, 3);
  EXPECT_EQ(bar->Values().Amount, 2);
  EXPECT_EQ(bar->Marquee().ScrollDelay(), 3u);
  EXPECT_EQ(bar->Marquee().ScrollAmount(), 2);
}

struct EncodedFile {
  const char* name;
  std::string bytes;
};

class TickerTextEncodings : public TickerText, public testing::WithParamInterface<EncodedFile> {};

TEST_P(TickerTextEncodings, ShowTheSameCharacters) {
  if (platform::SystemCodePage() != 1252) GTEST_SKIP() << "written for code page 1252";
  ShowFile(MakeFile(std::string(GetParam().name) + ".txt", GetParam().bytes));
  EXPECT_EQ(Shown(), "Caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve ");
}

std::string Utf16LE(const std::wstring& text) {
  std::string bytes("\xFF\xFE");
  for (const wchar_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TickerTextEncodings,
    testing::Values(EncodedFile{"Utf8", "Caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve\r\n"},
                    EncodedFile{"Utf8WithMark",
                                "\xEF\xBB\xBF"
                                "Caf\xC3\xA9 \xE2\x80\x93 na\xC3\xAFve"},
                    EncodedFile{"Utf16LE", Utf16LE(L"Caf\u00E9 \u2013 na\u00EFve\r\n")},
                    // Not UTF-8: the system's code page.
                    EncodedFile{"CodePage", "Caf\xE9 \x96 na\xEFve"}),
    [](const testing::TestParamInfo<EncodedFile>& info) { return std::string(info.param.name); });

TEST_F(TickerText, CharactersOfAnyScriptReachTheMarqueeAsTheyAre) {
  ShowFile(MakeFile("scripts.txt", "\xCE\xA9 \xD0\x9C\xD0\xB8\xD1\x80 \xE4\xB8\x96\xE7\x95\x8C\n"));
  EXPECT_EQ(bar->Marquee().ScrollText(), u"\u03A9 \u041C\u0438\u0440 \u4E16\u754C ");
}

TEST_F(TickerText, AFeedFileShowsItsHeadlinesAndABrokenOneKeepsThem) {
  bar->LogSink().SetFileLog(true);
  const std::string path =
      MakeFile("feed.xml",
               "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<rss version=\"2.0\"><channel>"
               "<item><title>Rates \x96 steady</title><link>http://n.example/1</link></item>"
               "<item><title>Caf\xE9 opens</title></item></channel></rss>\r\n");
  ShowFile(path);
  EXPECT_EQ(Shown(), "Rates \xE2\x80\x93 steady  +++ Caf\xC3\xA9 opens  +++ ");
  EXPECT_EQ(bar->LinkOfShown(bar->ShownLines()[0]), "http://n.example/1");

  WriteWholeFile(path, "<rss><channel><item><title>cut off");
  TouchFile(path, 10);
  bar->TimerGetFileTimer();
  EXPECT_EQ(Shown(), "Rates \xE2\x80\x93 steady  +++ Caf\xC3\xA9 opens  +++ ");
  const std::string log = ReadWholeFile(bar->LogSink().LogFilePath());
  EXPECT_NE(log.find("Feed: 2 headlines from " + path), std::string::npos);
  EXPECT_NE(log.find("Feed: cannot read " + path + ": "), std::string::npos);

  Change([](core::TickerSettings& v) { v.HideOnEmpty = true; });
  WriteWholeFile(path, "<rss><channel></channel></rss>");
  TouchFile(path, 20);
  bar->TimerGetFileTimer();
  EXPECT_TRUE(bar->IsFileEmpty()) << "a feed without items is an empty text";
  EXPECT_TRUE(bar->Minimized());
}

TEST_F(TickerText, AFeedInACodePageWithoutATableIsConvertedByTheSystem) {
  // Cyrillic "Pri" in windows-1251: letters the bar's code page may lack, but no failed read.
  const std::string path =
      MakeFile("feed-1251.xml",
               "<?xml version=\"1.0\" encoding=\"windows-1251\"?><rss><channel><item><title>"
               "\xCF\xF0\xE8 ok</title></item></channel></rss>");
  ShowFile(path);
  EXPECT_EQ(Shown(), "\xD0\x9F\xD1\x80\xD0\xB8 ok  +++ ");
}

}  // namespace
