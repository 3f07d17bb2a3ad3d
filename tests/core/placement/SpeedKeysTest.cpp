#include "core/placement/SpeedKeys.h"

#include <gtest/gtest.h>

namespace core {
namespace {

struct KeyCase {
  SpeedKey key;
  Speed before;
  Speed after;
};

class SpeedKeyEffect : public testing::TestWithParam<KeyCase> {};

TEST_P(SpeedKeyEffect, ChangesDelayOrStep) {
  const Speed after = SpeedAfterKey(GetParam().key, GetParam().before);
  EXPECT_EQ(after.delayMs, GetParam().after.delayMs);
  EXPECT_EQ(after.amount, GetParam().after.amount);
}

INSTANTIATE_TEST_SUITE_P(Table, SpeedKeyEffect,
                         testing::Values(KeyCase{SpeedKey::Faster, {1, 1}, {1, 1}},
                                         KeyCase{SpeedKey::Faster, {50, 1}, {26, 1}},
                                         KeyCase{SpeedKey::Faster, {3, 1}, {2, 1}},
                                         KeyCase{SpeedKey::Slower, {1, 1}, {3, 1}},
                                         KeyCase{SpeedKey::Slower, {250, 1}, {501, 1}},
                                         KeyCase{SpeedKey::Slower, {251, 1}, {501, 1}},
                                         KeyCase{
                                             SpeedKey::Slower, {2147483600, 1}, {2147483647, 1}},
                                         KeyCase{SpeedKey::LargerStep, {1, 19}, {1, 20}},
                                         KeyCase{SpeedKey::LargerStep, {1, 20}, {1, 20}},
                                         KeyCase{SpeedKey::SmallerStep, {1, 2}, {1, 1}},
                                         KeyCase{SpeedKey::SmallerStep, {1, 1}, {1, 1}},
                                         // Any key brings a stored step back into range.
                                         KeyCase{SpeedKey::Other, {1, 0}, {1, 1}},
                                         KeyCase{SpeedKey::Other, {1, 44}, {1, 20}},
                                         KeyCase{SpeedKey::SmallerStep, {1, 0}, {1, 1}}));

}  // namespace
}  // namespace core
