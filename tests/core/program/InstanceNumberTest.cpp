#include "core/program/InstanceNumber.h"

#include <gtest/gtest.h>

#include <set>

namespace core {
namespace {

// Mutexes held by other running copies; creating one of those reports AlreadyExists.
class FakeMutexes : public NamedMutexes {
 public:
  std::set<std::string> held;
  std::set<std::string> failing;
  std::vector<std::string> tried;

  Outcome Create(const std::string& name) override {
    tried.push_back(name);
    if (failing.count(name)) return Outcome::Failed;
    if (held.count(name)) return Outcome::AlreadyExists;
    held.insert(name);
    return Outcome::Created;
  }
};

TEST(InstanceNumber, FirstCopyTakesOne) {
  FakeMutexes mutexes;
  const auto claim = ClaimInstanceNumber(mutexes, "Driftline");
  EXPECT_EQ(claim.number, 1);
  EXPECT_TRUE(claim.ownsMutex);
  EXPECT_EQ(mutexes.tried, std::vector<std::string>{"Driftline1"});
}

TEST(InstanceNumber, TakesTheLowestFreeNumber) {
  FakeMutexes mutexes;
  mutexes.held = {"Driftline1", "Driftline2", "Driftline4"};
  EXPECT_EQ(ClaimInstanceNumber(mutexes, "Driftline").number, 3);
  EXPECT_EQ(ClaimInstanceNumber(mutexes, "Driftline").number, 5);
  mutexes.held.erase("Driftline1");  // the first copy has ended
  EXPECT_EQ(ClaimInstanceNumber(mutexes, "Driftline").number, 1);
}

TEST(InstanceNumber, AFailedCreationKeepsTheNumberWithoutAMutex) {
  FakeMutexes mutexes;
  mutexes.held = {"Driftline1"};
  mutexes.failing = {"Driftline2"};
  const auto claim = ClaimInstanceNumber(mutexes, "Driftline");
  EXPECT_EQ(claim.number, 2);
  EXPECT_FALSE(claim.ownsMutex);
}

}  // namespace
}  // namespace core
