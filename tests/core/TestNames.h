#pragma once
// Names for the rows of a parameterized table, from the text that says what the row is.

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace testing_names {

// The letters and digits of the row's `what`: "Delay and Color" -> "DelayandColor".
struct FromWhat {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    std::string name;
    for (const char c : std::string(info.param.what)) {
      if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
  }
};

}  // namespace testing_names
