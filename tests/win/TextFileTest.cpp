// Replacing a file whole, and clearing what killed replacements left, on the real file system.

#include "platform/TextFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "ProgramDriver.h"
#include "platform/Handles.h"

using namespace testing_support;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;

namespace {

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveTree(kFolder);
    ASSERT_TRUE(::CreateDirectoryA(kFolder.c_str(), nullptr));
  }
  void TearDown() override { RemoveTree(kFolder); }

  const std::string kFolder = TempFilePath("DriftlineTextFileTest");
  const std::string kTarget = kFolder + "\\dftline1.ini";
};

struct WriteCase {
  const char* behaviour;
  std::size_t bytesPerCall;
  std::optional<std::size_t> failAfter;  // bytes in before the write fails; none: it never does
};

void PrintTo(const WriteCase& c, std::ostream* out) {
  *out << c.behaviour;
}

// Takes at most `bytesPerCall` bytes a call and fails once `failAfter` bytes are in, as a full
// disk does; notes what the target held when the first bytes went out.
class PartWriter : public platform::FileWriter {
 public:
  PartWriter(const WriteCase& c, std::string target) : case_(c), target_(std::move(target)) {}

  std::size_t Write(void* file, std::string_view bytes) override {
    if (!targetMeanwhile) targetMeanwhile = ReadWholeFile(target_);
    std::size_t take = std::min(bytes.size(), case_.bytesPerCall);
    if (case_.failAfter) take = std::min(take, *case_.failAfter - in_);
    if (take == 0) return 0;
    const std::size_t done = platform::SystemFileWriter().Write(file, bytes.substr(0, take));
    in_ += done;
    return done;
  }

  std::optional<std::string> targetMeanwhile;

 private:
  WriteCase case_;
  std::string target_;
  std::size_t in_ = 0;
};

class TextFileReplace : public TextFileTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(TextFileReplace, KeepsTheOldFileUntilTheNewOneIsWholeAndLeavesNoTemporary) {
  const WriteCase& c = GetParam();
  const std::string old = "[Settings]\r\nTop=3\r\n";
  const std::string text = "[Settings]\r\n" + std::string(100'000, 'x') + "\r\n";
  WriteWholeFile(kTarget, old);
  PartWriter writer(c, kTarget);

  const bool replaced = platform::ReplaceTextFile(kTarget, text, writer);

  EXPECT_EQ(replaced, !c.failAfter);
  EXPECT_EQ(ReadWholeFile(kTarget), replaced ? text : old);
  EXPECT_EQ(writer.targetMeanwhile, old) << "the target is never written in place";
  EXPECT_THAT(FilesIn(kFolder + "\\"), ElementsAre("dftline1.ini"));
}

INSTANTIATE_TEST_SUITE_P(TextFile, TextFileReplace,
                         ::testing::Values(WriteCase{"WritesAFewBytesAtATime", 7, std::nullopt},
                                           WriteCase{"FailsAtOnce", 100'000, 0},
                                           WriteCase{"FailsPartWay", 100'000, 10},
                                           // After the first of the writer's 64 KB pieces.
                                           WriteCase{"FailsInALaterPiece", 100'000, 70'000}),
                         [](const ::testing::TestParamInfo<WriteCase>& info) {
                           return std::string(info.param.behaviour);
                         });

std::string TemporaryOf(const std::string& target, DWORD processId, int serial) {
  return target + "." + std::to_string(processId) + "-" + std::to_string(serial) + ".tmp";
}

TEST_F(TextFileTest, RemovesOnlyTheTemporariesOfEndedWritersThatNothingHoldsOpen) {
  const SuspendedProcess running;
  const DWORD ended = EndedProcessId();
  const DWORD self = ::GetCurrentProcessId();  // a killed process may have had it before us
  const std::vector<std::string> removed = {TemporaryOf("dftline1.ini", ended, 1),
                                            TemporaryOf("dftline1.ini", ended, 2),
                                            TemporaryOf("dftline1.ini", self, 1)};
  const std::vector<std::string> kept = {
      "dftline1.ini",
      TemporaryOf("dftline1.ini", running.Id(), 1),
      TemporaryOf("dftline1.ini", self, 2),  // held open below, as while it is written
      TemporaryOf("dftline2.ini", ended, 1),
      TemporaryOf("dftline1.ini", ended, 3) + ".bak",
      "dftline1.ini.tmp"};
  for (const auto& name : removed) WriteWholeFile(kFolder + "\\" + name, "half");
  for (const auto& name : kept) WriteWholeFile(kFolder + "\\" + name, "half");
  const std::string folderLikeOne = kFolder + "\\" + TemporaryOf("dftline1.ini", ended, 4);
  ASSERT_TRUE(::CreateDirectoryA(folderLikeOne.c_str(), nullptr));
  const platform::UniqueHandle writing(::CreateFileA((kFolder + "\\" + kept[2]).c_str(),
                                                     GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writing);

  EXPECT_EQ(platform::RemoveLeftoverTemporaries(kTarget), 3);
  EXPECT_THAT(FilesIn(kFolder + "\\"), UnorderedElementsAreArray(kept));
  EXPECT_NE(::GetFileAttributesA(folderLikeOne.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
