#include "core/TextChange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace core {
namespace {

// Stands in for the marquee, which turns control characters into blanks as it stores a text.
class FakeMarquee : public TextDisplay {
 public:
  std::string text;

  const std::string& ScrollText() const override { return text; }
  void SetScrollText(const std::string& newText) override {
    text = newText;
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }, ' ');
  }
};

TEST(TextChange, ComparesTheTextsAsTheDisplayKeepsThem) {
  FakeMarquee marquee;
  marquee.text = "a b ";
  EXPECT_FALSE(ShowText(marquee, "a b "));
  EXPECT_FALSE(ShowText(marquee, "a\tb "));  // a different raw text, the same shown one
  EXPECT_TRUE(ShowText(marquee, "a\tc "));
  EXPECT_EQ(marquee.text, "a c ");
  EXPECT_TRUE(ShowText(marquee, ""));
  EXPECT_FALSE(ShowText(marquee, ""));
}

}  // namespace
}  // namespace core
