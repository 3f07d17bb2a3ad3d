// Values an administrator sets by policy: read at start-up and again when the system reports a
// policy refresh. They override the stored values, which stay as the user had them.

#include <memory>
#include <utility>

#include "app/Commands.h"
#include "app/Ticker.h"
#include "platform/Registry.h"

namespace {

// The policy key under `root`, or nullptr when there is none.
std::unique_ptr<core::RegistryKey> OpenPolicyKey(HKEY root) {
  platform::UniqueHkey key = platform::OpenKeyForReading(root, std::string(core::kPolicyKeyName));
  if (!key) return nullptr;
  return std::make_unique<platform::RegistryValueKey>(std::move(key));
}

}  // namespace

core::Policies TForm1::ReadPolicies() {
  const std::unique_ptr<core::RegistryKey> machine = OpenPolicyKey(HKEY_LOCAL_MACHINE);
  const std::unique_ptr<core::RegistryKey> user = OpenPolicyKey(HKEY_CURRENT_USER);
  core::PolicyReading reading = core::ReadPolicies({machine.get(), user.get()});
  for (const std::string& line : reading.log) Log(line);
  return std::move(reading.policies);
}

// The system sends "Policy" after it has refreshed the policies.
void TForm1::OnSettingChange(LPARAM lParam) {
  const auto* area = reinterpret_cast<const char*>(lParam);
  if (area == nullptr || ::lstrcmpiA(area, "Policy") != 0) return;
  const core::TickerSettings before = values_;
  ApplyValues(policy_.Replace(ReadPolicies(), values_));
  ApplyPolicySwitches();
  // The values that choose and shape the text apply when it is read.
  if (!(values_ == before)) ReadSourceNow();
}

void TForm1::ApplyPolicySwitches() {
  if (platform::Action* options = ActionList1.Find(CMD_OPTIONS)) {
    options->visible = !policy_.Current().DisableOptions;
  }
  // The list becomes the bar's source: not where a policy sets the source.
  if (platform::Action* sources = ActionList1.Find(CMD_SOURCES)) {
    sources->visible = !policy_.Current().DisableOptions && !SourceSetByPolicy();
  }
  if (platform::Action* exit = ActionList1.Find(CMD_EXIT)) {
    exit->visible = !policy_.Current().DisableExit;
  }
}
