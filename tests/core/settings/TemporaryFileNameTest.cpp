#include "core/settings/TemporaryFileName.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace core {
namespace {

TEST(TemporaryFileName, IsTheTargetWithTheWritersIdAndSerial) {
  EXPECT_EQ(TemporaryPathFor("C:\\a\\dftline1.ini", 368, 1), "C:\\a\\dftline1.ini.368-1.tmp");
  EXPECT_EQ(TemporaryWriterOf("dftline1.ini", "dftline1.ini.4294967295-12.tmp"), 4294967295U);
}

struct NameCase {
  std::string fileName;
  std::optional<std::uint32_t> writer;  // set when the name is a temporary of dftline1.ini
};

class RecognisesATemporary : public testing::TestWithParam<NameCase> {};

TEST_P(RecognisesATemporary, OnlyByTheExactPattern) {
  const NameCase& c = GetParam();
  EXPECT_EQ(TemporaryWriterOf("dftline1.ini", c.fileName), c.writer) << c.fileName;
}

INSTANTIATE_TEST_SUITE_P(
    Names, RecognisesATemporary,
    testing::Values(NameCase{"dftline1.ini.368-1.tmp", 368}, NameCase{"dftline1.ini.0-0.tmp", 0},
                    // Another target, or the target's own name with more around it.
                    NameCase{"dftline1.ini", {}}, NameCase{"dftline2.ini.368-1.tmp", {}},
                    NameCase{"xdftline1.ini.368-1.tmp", {}},
                    NameCase{"dftline1.ini.368-1.tmp.bak", {}},
                    NameCase{"DFTLINE1.INI.368-1.tmp", {}}, NameCase{"dftline1.ini.368-1.TMP", {}},
                    // Anything but two runs of digits joined by one hyphen.
                    NameCase{"dftline1.ini.tmp", {}}, NameCase{"dftline1.ini.368.tmp", {}},
                    NameCase{"dftline1.ini.-1.tmp", {}}, NameCase{"dftline1.ini.368-.tmp", {}},
                    NameCase{"dftline1.ini.+368-1.tmp", {}},
                    NameCase{"dftline1.ini.368--1.tmp", {}},
                    NameCase{"dftline1.ini.368-1-2.tmp", {}},
                    NameCase{"dftline1.ini.36a-1.tmp", {}}, NameCase{"dftline1.ini. 368-1.tmp", {}},
                    // Too large for a process id.
                    NameCase{"dftline1.ini.4294967296-1.tmp", {}}));

}  // namespace
}  // namespace core
