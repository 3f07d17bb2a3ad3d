#pragma once
// Values an administrator sets by policy. They are read from the policy keys, the machine's
// before the user's, checked and clamped as stored values are, and laid over the user's values
// without replacing them: the store keeps what the user had, so removing a policy brings it back.

#include <string>
#include <string_view>
#include <vector>

#include "core/settings/RegistryValues.h"
#include "core/settings/TickerSettings.h"
#include "core/settings/ValueTable.h"

namespace core {

// Below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
inline constexpr std::string_view kPolicyKeyName = "Software\\Policies\\Quorvane\\Driftline";
// Switches beside the stored values' names: 1 hides the options entry and F8, or Exit.
inline constexpr std::string_view kDisableOptionsName = "DisableOptions";
inline constexpr std::string_view kDisableExitName = "DisableExit";

struct Policies {
  // The ticker values a policy sets, each checked and clamped.
  ValueTable values;
  bool DisableOptions = false;
  bool DisableExit = false;

  bool Sets(std::string_view name) const { return values.Find(name) != nullptr; }
};

// The two policy keys; nullptr for one that does not exist.
struct PolicyKeys {
  RegistryKey* machine = nullptr;
  RegistryKey* user = nullptr;
};

struct PolicyReading {
  Policies policies;
  std::vector<std::string> log;  // complete lines: "Policy: ..."
};

// Each value from the first key that holds a valid one; an invalid value is logged and ignored.
PolicyReading ReadPolicies(const PolicyKeys& keys);

// The policies over the user's values. Values go in and out whole: what a policy sets is the
// policy's on the way to the bar, and the user's own on the way to the store.
class PolicyLayer {
 public:
  const Policies& Current() const { return policies_; }
  // The values the bar uses: `values` with each value a policy sets replaced by the policy's.
  TickerSettings Use(const TickerSettings& values) const;
  // The values to store: the bar's `used` values, with the user's own where a policy sets one.
  TickerSettings Stored(const TickerSettings& used) const;
  // New policies over the values the bar uses now; answers the values to use under them.
  TickerSettings Replace(Policies policies, const TickerSettings& used);

 private:
  Policies policies_;
  // The user's values; only those a policy sets are kept current.
  TickerSettings user_;
};

}  // namespace core
