#include "core/text/FileStamp.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace core {
namespace {

constexpr std::int32_t kStamp = 0x58B16DAF;  // 2024-05-17 13:45:30

TEST(FileStamp, PacksDateHighAndTimeLowInTwoSecondSteps) {
  // (44 << 9) | (5 << 5) | 17 and (13 << 11) | (45 << 5) | 15
  EXPECT_EQ(PackDosDateTime({2024, 5, 17, 13, 45, 30}), kStamp);
  EXPECT_EQ(PackDosDateTime({2024, 5, 17, 13, 45, 31}), kStamp);
  EXPECT_EQ(PackDosDateTime({1980, 1, 1, 0, 0, 0}), 0x00210000);
}

TEST(FileStamp, ClampsYearsOutsideTheDosRangeAndNeverGivesAMarker) {
  EXPECT_EQ(PackDosDateTime({1970, 6, 1, 12, 0, 0}), PackDosDateTime({1980, 1, 1, 0, 0, 0}));
  const std::int32_t latest = PackDosDateTime({2107, 12, 31, 23, 59, 58});
  EXPECT_EQ(PackDosDateTime({2200, 1, 1, 0, 0, 0}), latest);
  for (const std::int32_t stamp : {latest, PackDosDateTime({2044, 1, 1, 0, 0, 0})}) {
    EXPECT_LT(stamp, 0);
    EXPECT_NE(stamp, kStampMissing);
    EXPECT_NE(stamp, kStampEmpty);
  }
}

TEST(FileStamp, OnlyAFileHasATimeStamp) {
  const LocalDateTime t{2024, 5, 17, 13, 45, 30};
  EXPECT_EQ(FileStampOf(PathKind::Missing, t), kStampMissing);
  EXPECT_EQ(FileStampOf(PathKind::Directory, t), kStampMissing);
  EXPECT_EQ(FileStampOf(PathKind::File, t), kStamp);
}

struct CheckCase {
  const char* name;
  std::int32_t stamp;
  std::int32_t fileTimestamp;
  StampCheck expected;
};

class ChecksStamp : public testing::TestWithParam<CheckCase> {};

TEST_P(ChecksStamp, DecidesWhetherToRead) {
  const CheckCase& c = GetParam();
  const StampCheck check = CheckFileStamp(c.stamp, c.fileTimestamp);
  EXPECT_EQ(check.fileMissing, c.expected.fileMissing);
  EXPECT_EQ(check.storeStamp, c.expected.storeStamp);
  EXPECT_EQ(check.read, c.expected.read);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChecksStamp,
    testing::Values(CheckCase{"Unchanged", kStamp, kStamp, {false, false, false}},
                    CheckCase{"Changed", kStamp, kStamp - 1, {false, true, true}},
                    CheckCase{"Forced", kStamp, kStampForceRead, {false, true, true}},
                    CheckCase{"EmptyIsReadAgain", kStamp, kStampEmpty, {false, true, true}},
                    CheckCase{"WentMissing", kStampMissing, kStamp, {true, true, false}},
                    CheckCase{"StillMissing", kStampMissing, kStampMissing, {true, false, false}},
                    CheckCase{"Appeared", kStamp, kStampMissing, {false, true, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileStamp, TheReadDecidesWhatStampIsKept) {
  EXPECT_EQ(StampAfterRead(kStamp, ReadOutcome::Lines), kStamp);
  EXPECT_EQ(StampAfterRead(kStamp, ReadOutcome::Empty), kStampEmpty);
  // A failed read keeps no stamp, so the next check reads again.
  EXPECT_TRUE(CheckFileStamp(kStamp, StampAfterRead(kStamp, ReadOutcome::Failed)).read);
}

}  // namespace
}  // namespace core
