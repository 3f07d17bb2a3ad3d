// Damaged logo pictures through the bar's Load Logo, many of them, made from one seed: each one
// loads or fails with a logged error, a failure keeps the picture the bar had, and the bar draws
// whatever it holds.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "InProcessBar.h"
#include "PictureFiles.h"
#include "ProgramDriver.h"

using namespace testing_support;

namespace {

struct MutationCase {
  const char* extension;
  int files;
  void (*write)(const std::string& path);
};

void PrintTo(const MutationCase& c, std::ostream* out) {
  *out << c.extension;
}

class LogoMutation : public InProcessBar, public testing::WithParamInterface<MutationCase> {
 protected:
  std::string PathOf(const std::string& name) const {
    return TempFilePath(std::string("driftline-mutated-") + name + "." + GetParam().extension);
  }
  void ShowLogo(const std::string& path) {
    Change([&](core::TickerSettings& values) {
      values.UseLogo = true;
      values.LogoFile = path;
    });
    ::RedrawWindow(bar->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
};

TEST_P(LogoMutation, EachFileLoadsOrFailsWithALoggedErrorAndAFailureKeepsTheOldLogo) {
  bar->LogSink().SetFileLog(true);
  const std::string original = PathOf("original");
  GetParam().write(original);
  ShowLogo(original);
  ASSERT_NE(bar->Logo(), nullptr);
  const std::string bytes = ReadWholeFile(original);

  std::mt19937 random(24);
  int failed = 0;
  for (int i = 0; i < GetParam().files; ++i) {
    // Two names in turn, so that every file is a new LogoFile.
    const std::string path = PathOf(i % 2 == 0 ? "even" : "odd");
    WriteWholeFile(path, MutatedCopy(bytes, random));
    const platform::Picture* before = bar->Logo();
    const int width = before->Width();
    ShowLogo(path);
    const platform::Picture* after = bar->Logo();
    ASSERT_NE(after, nullptr) << "file " << i;
    if (after == before) {
      ++failed;
      EXPECT_EQ(after->Width(), width) << "file " << i;
    }
  }
  // Every failure, and nothing else, left its reason in the log.
  EXPECT_EQ(CountOf(ReadWholeFile(bar->LogSink().LogFilePath()), "Load logo file: "),
            static_cast<size_t>(failed));
  EXPECT_GT(failed, 0);
  for (const char* name : {"original", "even", "odd"}) ::DeleteFileA(PathOf(name).c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LogoMutation,
    testing::Values(MutationCase{"jpg", 2000, [](const std::string& p) { WriteJpeg(p, 64, 16); }},
                    MutationCase{"bmp", 500, [](const std::string& p) { WriteBitmap(p, 40, 20); }},
                    MutationCase{"ico", 500, [](const std::string& p) { WriteIcon(p, 16); }}),
    [](const testing::TestParamInfo<MutationCase>& info) {
      return std::string(info.param.extension);
    });

}  // namespace
