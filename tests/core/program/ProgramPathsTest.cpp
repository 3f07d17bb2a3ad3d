#include "core/program/LogLine.h"
#include "core/program/ProgramPaths.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(ProgramPaths, NamesComeFromTheProgramFile) {
  EXPECT_EQ(IniFileName("C:\\Tools\\dftline.exe", 1), "dftline1.ini");
  EXPECT_EQ(IniFileName("C:\\v2.0\\ticker", 12), "ticker12.ini");
  EXPECT_EQ(IniFileName("C:\\my.tools\\dftline.old.exe", 2), "dftline.old2.ini");
  EXPECT_EQ(ChangeExtension("Z:\\build\\bin\\dftline.exe", ".log"), "dftline.log");
  EXPECT_EQ(RegistryKeyName("Software\\Quorvane\\Driftline\\", 2),
            "Software\\Quorvane\\Driftline\\2");
  // The first copy keeps the list it always had; each other copy edits its own.
  EXPECT_EQ(SourceListFileName(1), "sources.opml");
  EXPECT_EQ(SourceListFileName(2), "sources2.opml");
}

TEST(ProgramPaths, SplitsFoldersAndNames) {
  EXPECT_EQ(FolderOf("C:\\Tools\\dftline.exe"), "C:\\Tools\\");
  EXPECT_EQ(FolderOf("dftline.exe"), "");
  EXPECT_EQ(FileNameOf("C:/Tools/dftline.exe"), "dftline.exe");
  EXPECT_EQ(ParentFolderOf("C:\\Users\\me\\AppData\\Quorvane\\Driftline\\"),
            "C:\\Users\\me\\AppData\\Quorvane\\");
  EXPECT_EQ(ParentFolderOf("C:\\Tools\\"), "C:\\");
}

TEST(LogLine, IsDateBlankTimeDashMessage) {
  EXPECT_EQ(FormatLogLine("12/7/2026", "8:01:02 PM", "Driftline Starting"),
            "12/7/2026 8:01:02 PM - Driftline Starting");
  EXPECT_EQ(FormatLogLine("07.12.2026", "20:01:02", ""), "07.12.2026 20:01:02 - ");
}

TEST(LogLine, KeepsOneEventOnOneLine) {
  EXPECT_EQ(FormatLogLine("d", "t", "two\r\nlines\n"), "d t - two  lines ");
}

}  // namespace
}  // namespace core
