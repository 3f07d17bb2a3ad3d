// A library loaded on first use: its functions found, and a failure that names what is missing.

#include <gtest/gtest.h>

#include <string>

#include "platform/LazyLibrary.h"
#include "platform/SystemError.h"

namespace {

TEST(LazyLibrary, FindsTheFunctionInTheLoadedLibrary) {
  const platform::LazyLibrary library("kernel32.dll");
  const auto tickCount = library.Find<DWORD(WINAPI*)()>("GetTickCount");
  EXPECT_NE(tickCount(), 0u);
}

struct MissingCase {
  const char* what;
  const char* library;
  const char* function;
  DWORD code;
};

class LazyLibraryMissing : public testing::TestWithParam<MissingCase> {};

TEST_P(LazyLibraryMissing, FailsNamingTheLibraryAndTheFunction) {
  const MissingCase& c = GetParam();
  const platform::LazyLibrary library(c.library);
  ::SetLastError(ERROR_SUCCESS);  // other calls come between the load and the first use
  try {
    library.Find(c.function);
    FAIL() << "found";
  } catch (const platform::SystemError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find(c.library), std::string::npos) << message;
    EXPECT_NE(message.find(c.function), std::string::npos) << message;
    EXPECT_EQ(e.code(), c.code);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, LazyLibraryMissing,
                         testing::Values(MissingCase{"NoSuchLibrary", "driftline-nowhere.dll",
                                                     "PlaySoundA", ERROR_MOD_NOT_FOUND},
                                         MissingCase{"NoSuchFunction", "kernel32.dll",
                                                     "DriftlineNowhere", ERROR_PROC_NOT_FOUND}),
                         [](const testing::TestParamInfo<MissingCase>& info) {
                           return info.param.what;
                         });

}  // namespace
