#include "core/program/CommandLine.h"
#include "core/program/StartupSource.h"

#include <gtest/gtest.h>

#include <set>

namespace core {
namespace {

const std::set<std::string> kExistingFiles{"C:\\news.txt", "c:\\cfg\\x.ini", "Z:\\tmp\\a.txt",
                                           "Z:\\tmp\\b.txt"};

bool FakeFileExists(const std::string& path) {
  return kExistingFiles.count(path) != 0;
}

CommandLineState Read(std::initializer_list<std::string_view> parameters) {
  CommandLineState state;
  for (auto parameter : parameters) ReadParameter(state, parameter, FakeFileExists);
  return state;
}

struct ParameterCase {
  std::string parameter;
  ParameterKind kind;
};

class ReadsOneParameter : public testing::TestWithParam<ParameterCase> {};

TEST_P(ReadsOneParameter, ClassifiesItByTheFirstMatchingRule) {
  CommandLineState state;
  EXPECT_EQ(ReadParameter(state, GetParam().parameter, FakeFileExists), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadsOneParameter,
    testing::Values(
        ParameterCase{"/INIc:\\cfg\\x.ini", ParameterKind::Ini},
        ParameterCase{"/ini", ParameterKind::IniMissing},
        ParameterCase{"/INIc:\\nowhere.ini", ParameterKind::IniMissing},
        ParameterCase{"/debug", ParameterKind::Debug}, ParameterCase{"/Log", ParameterKind::Log},
        // "/LOGFILE" begins with "/LOG": the value part of a valueless switch is ignored.
        ParameterCase{"/LOGFILE", ParameterKind::Log},
        ParameterCase{"/SHOWLOG", ParameterKind::ShowLog},
        ParameterCase{"/top", ParameterKind::Top}, ParameterCase{"/bottom", ParameterKind::Bottom},
        ParameterCase{"/MONITOR1", ParameterKind::Monitor},
        ParameterCase{"/monitor-1", ParameterKind::Monitor},
        ParameterCase{"/MONITOR", ParameterKind::BadNumber},
        ParameterCase{"/MONITORx", ParameterKind::BadNumber},
        ParameterCase{"/MONITOR 1", ParameterKind::BadNumber},
        ParameterCase{"/MONITOR$10", ParameterKind::BadNumber},
        ParameterCase{"/RP5", ParameterKind::RedockPeriod},
        ParameterCase{"/RP99999999999", ParameterKind::BadNumber},
        ParameterCase{"/rt3", ParameterKind::RedockCount},
        ParameterCase{"/RT", ParameterKind::BadNumber},
        ParameterCase{"C:\\news.txt", ParameterKind::File},
        ParameterCase{"HTTP://example.test/a.txt", ParameterKind::Url},
        ParameterCase{"https://example.test/a.txt", ParameterKind::Url},
        ParameterCase{"ftp://example.test/a.txt", ParameterKind::Unknown},
        ParameterCase{"C:\\missing.txt", ParameterKind::Unknown},
        ParameterCase{"/X", ParameterKind::Unknown}, ParameterCase{"", ParameterKind::Unknown}));

TEST(CommandLine, SwitchesSetTheirState) {
  const auto state = Read({"/INIc:\\cfg\\x.ini", "/DEBUG", "/LOG", "/SHOWLOG", "/TOP", "/BOTTOM",
                           "/MONITOR2", "/RP5", "/RT3"});
  EXPECT_EQ(state.iniFile, "c:\\cfg\\x.ini");
  EXPECT_TRUE(state.debugWindow && state.fileLog && state.showLog);
  EXPECT_TRUE(state.dockTop && state.dockBottom);
  EXPECT_TRUE(state.monitorGiven);
  EXPECT_EQ(state.monitorIndex, 2);
  EXPECT_EQ(state.redockPeriod, 5);
  EXPECT_EQ(state.redockCount, 3);
}

TEST(CommandLine, BadNumbersLeaveTheDefaults) {
  const auto state = Read({"/MONITORtwo", "/RP", "/RT-", "/RP4294967296"});
  EXPECT_FALSE(state.monitorGiven);
  EXPECT_EQ(state.monitorIndex, -1);
  EXPECT_EQ(state.redockPeriod, 0);
  EXPECT_EQ(state.redockCount, 0);
}

TEST(CommandLine, LastFileAndLastAddressCount) {
  const auto state =
      Read({"Z:\\tmp\\a.txt", "http://one.test/", "Z:\\tmp\\b.txt", "https://two.test/"});
  EXPECT_EQ(state.file, "Z:\\tmp\\b.txt");
  EXPECT_EQ(state.url, "https://two.test/");
}

TEST(CommandLine, AnAddressKeepsItsCase) {
  EXPECT_EQ(Read({"HTTP://Example.Test/News.TXT"}).url, "HTTP://Example.Test/News.TXT");
}

TEST(CommandLine, AFileNamedLikeASwitchIsReadAsTheSwitch) {
  // Switches are tested before files, so "/LOG" stays a switch even if such a file exists.
  CommandLineState state;
  const auto everyFileExists = [](const std::string&) { return true; };
  EXPECT_EQ(ReadParameter(state, "/LOG", everyFileExists), ParameterKind::Log);
  EXPECT_FALSE(state.file);
}

TEST(CommandLine, AVeryLongParameterIsHandledWhole) {
  const std::string longAddress = "http://example.test/" + std::string(100000, 'a');
  CommandLineState state;
  EXPECT_EQ(ReadParameter(state, longAddress, FakeFileExists), ParameterKind::Url);
  EXPECT_EQ(state.url->size(), longAddress.size());
}

TEST(ParseDecimalInt, AcceptsOnlyDecimalIntegersInRange) {
  EXPECT_EQ(ParseDecimalInt("0"), 0);
  EXPECT_EQ(ParseDecimalInt("+7"), 7);
  EXPECT_EQ(ParseDecimalInt("-2147483648"), -2147483648LL);
  EXPECT_EQ(ParseDecimalInt("2147483647"), 2147483647);
  EXPECT_EQ(ParseDecimalInt("000000000000042"), 42);
  EXPECT_FALSE(ParseDecimalInt("2147483648"));
  EXPECT_FALSE(ParseDecimalInt("-2147483649"));
  EXPECT_FALSE(ParseDecimalInt(""));
  EXPECT_FALSE(ParseDecimalInt("-"));
  EXPECT_FALSE(ParseDecimalInt(" 1"));
  EXPECT_FALSE(ParseDecimalInt("1.5"));
  EXPECT_FALSE(ParseDecimalInt("0x10"));
}

struct SplitCase {
  std::string commandLine;
  std::vector<std::string> parameters;
};

class SplitsCommandLine : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitsCommandLine, LikeTheProgramAlwaysHas) {
  EXPECT_EQ(SplitCommandLine(GetParam().commandLine), GetParam().parameters);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitsCommandLine,
    testing::Values(SplitCase{"dftline.exe", {"dftline.exe"}},
                    SplitCase{"\"C:\\Program Files\\dftline.exe\"  /LOG\t/DEBUG ",
                              {"C:\\Program Files\\dftline.exe", "/LOG", "/DEBUG"}},
                    SplitCase{"x \"C:\\My News\\today.txt\"", {"x", "C:\\My News\\today.txt"}},
                    SplitCase{"x /INI\"C:\\My Cfg\\a.ini\"", {"x", "/INIC:\\My Cfg\\a.ini"}},
                    SplitCase{"x \"\"", {"x", ""}},
                    SplitCase{"x \"unterminated arg", {"x", "unterminated arg"}},
                    SplitCase{"", {}}));

}  // namespace
}  // namespace core

namespace core {
namespace {

struct SourceCase {
  const char* what;
  std::optional<std::string> file;
  std::optional<std::string> url;
  bool legacyWindows;
  bool useFileUrl;
  const char* shownFile;
  const char* shownUrl;
};

class StartupSource : public testing::TestWithParam<SourceCase> {};

TEST_P(StartupSource, TheCommandLineChoosesTheSource) {
  TickerSettings stored;
  stored.File = "stored.txt";
  stored.FileUrl = "http://stored/";
  CommandLineState commandLine;
  commandLine.file = GetParam().file;
  commandLine.url = GetParam().url;
  const TickerSettings values = WithStartupSource(stored, commandLine, GetParam().legacyWindows);
  EXPECT_EQ(values.UseFileUrl, GetParam().useFileUrl) << GetParam().what;
  EXPECT_EQ(values.File, GetParam().shownFile) << GetParam().what;
  EXPECT_EQ(values.FileUrl, GetParam().shownUrl) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartupSource,
    testing::Values(
        SourceCase{"nothing given", {}, {}, false, false, "stored.txt", "http://stored/"},
        SourceCase{"an address", {}, "http://h/n.txt", false, true, "stored.txt", "http://h/n.txt"},
        SourceCase{"a file beats an address", "C:\\n.txt", "http://h/", false, false, "C:\\n.txt",
                   "http://stored/"},
        SourceCase{"old Windows has no web source",
                   {},
                   "http://h/",
                   true,
                   false,
                   "stored.txt",
                   "http://h/"}));

}  // namespace
}  // namespace core
