#include "core/settings/PolicyTemplate.h"

#include <optional>
#include <string_view>
#include <vector>

#include "core/settings/Policies.h"
#include "core/settings/SettingsValueText.h"
#include "core/settings/TickerSettings.h"

namespace core {
namespace {

// A number without a range may be negative (a position, a colour), which the editor's number
// field cannot take: it is typed as text, which the bar reads as a number.
enum class PolicyKind { OnOff, Number, WholeNumber, Text };

struct PolicyEntry {
  std::string name;
  PolicyKind kind = PolicyKind::OnOff;
  IntRange range{};
  std::string defaultText;
  std::string explain;  // empty: made from the kind
};

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<!-- Made by scripts/policy-template from Driftline's table of stored values. -->\n";
constexpr std::string_view kNamespaces =
    "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" revision=\"1.0\" "
    "schemaVersion=\"1.0\" "
    "xmlns=\"http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions\"";
constexpr std::string_view kTextMaxLength = "2048";

std::vector<PolicyEntry> Entries() {
  const TickerSettings defaults;
  std::vector<PolicyEntry> entries;
  for (const TickerSetting& setting : TickerSettingList()) {
    const Value value = ValueOf(defaults, setting);
    PolicyEntry entry{std::string(setting.name)};
    entry.defaultText = ValueToText(value).value_or("");
    switch (KindOf(value)) {
      case ValueKind::Boolean: entry.defaultText = std::get<bool>(value) ? "on" : "off"; break;
      case ValueKind::Integer: {
        const std::optional<IntRange> range = ClampRangeOf(setting.name);
        entry.kind = range ? PolicyKind::Number : PolicyKind::WholeNumber;
        if (range) entry.range = *range;
        break;
      }
      default: entry.kind = PolicyKind::Text; break;
    }
    entries.push_back(std::move(entry));
  }
  entries.push_back({std::string(kDisableOptionsName),
                     PolicyKind::OnOff,
                     {},
                     "off",
                     "Enabled: the bar's menu offers no Options entry and F8 opens nothing, so "
                     "that users cannot open the options dialog."});
  entries.push_back({std::string(kDisableExitName),
                     PolicyKind::OnOff,
                     {},
                     "off",
                     "Enabled: the bar's menus offer no Exit. The bar still ends when the user "
                     "logs off, and when a setup program closes it."});
  return entries;
}

std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c; break;
    }
  }
  return escaped;
}

std::string DisplayName(const PolicyEntry& entry) {
  switch (entry.kind) {
    case PolicyKind::OnOff: return entry.name + " (on/off)";
    case PolicyKind::Text: return entry.name + " (text)";
    default: return entry.name + " (number)";
  }
}

std::string Explanation(const PolicyEntry& entry) {
  if (!entry.explain.empty()) return entry.explain + " Not configured: as if off.";
  std::string what;
  switch (entry.kind) {
    case PolicyKind::OnOff: what = "Enabled turns it on, Disabled turns it off."; break;
    case PolicyKind::Number:
      what = "A whole number from " + std::to_string(entry.range.low) + " to " +
             std::to_string(entry.range.high) + "; one outside is brought into that range.";
      break;
    case PolicyKind::WholeNumber: what = "A whole number, which may be negative."; break;
    case PolicyKind::Text: what = "The text given."; break;
  }
  return "Sets the stored value " + entry.name + " for every Driftline that runs. " + what +
         " Built-in default: " + (entry.defaultText.empty() ? "empty" : entry.defaultText) +
         ". The options dialog shows the field disabled, \"Set by your administrator\"; each "
         "user's own value stays stored and comes back when the policy is removed. Not "
         "configured: the user's own value. Driftline's help page says what each value does.";
}

std::string Definition(const PolicyEntry& entry) {
  const std::string& n = entry.name;
  std::string xml = "    <policy name=\"" + n + "\" class=\"Both\" displayName=\"$(string." + n +
                    ")\" explainText=\"$(string." + n + "_Help)\"";
  if (entry.kind != PolicyKind::OnOff) xml += " presentation=\"$(presentation." + n + ")\"";
  xml += " key=\"" + std::string(kPolicyKeyName) + "\"";
  if (entry.kind == PolicyKind::OnOff) xml += " valueName=\"" + n + "\"";
  xml += ">\n      <parentCategory ref=\"Driftline\" />\n      <supportedOn ref=\"Supported\" />\n";
  switch (entry.kind) {
    case PolicyKind::OnOff:
      xml +=
          "      <enabledValue><decimal value=\"1\" /></enabledValue>\n"
          "      <disabledValue><decimal value=\"0\" /></disabledValue>\n";
      break;
    case PolicyKind::Number:
      xml += "      <elements>\n        <decimal id=\"" + n + "\" valueName=\"" + n +
             "\" minValue=\"" + std::to_string(entry.range.low) + "\" maxValue=\"" +
             std::to_string(entry.range.high) + "\" />\n      </elements>\n";
      break;
    default:
      xml += "      <elements>\n        <text id=\"" + n + "\" valueName=\"" + n +
             "\" maxLength=\"" + std::string(kTextMaxLength) + "\" />\n      </elements>\n";
      break;
  }
  return xml + "    </policy>\n";
}

std::string Presentation(const PolicyEntry& entry) {
  const std::string& n = entry.name;
  std::string xml = "      <presentation id=\"" + n + "\">\n";
  if (entry.kind == PolicyKind::Number) {
    xml += "        <decimalTextBox refId=\"" + n + "\" defaultValue=\"" + entry.defaultText +
           "\">" + n + "</decimalTextBox>\n";
  } else {
    xml += "        <textBox refId=\"" + n + "\">\n          <label>" + n + "</label>\n";
    if (!entry.defaultText.empty()) {
      xml += "          <defaultValue>" + Escaped(entry.defaultText) + "</defaultValue>\n";
    }
    xml += "        </textBox>\n";
  }
  return xml + "      </presentation>\n";
}

std::string StringEntry(std::string_view id, std::string_view text) {
  return "      <string id=\"" + std::string(id) + "\">" + Escaped(text) + "</string>\n";
}

}  // namespace

std::string PolicyDefinitions() {
  std::string xml =
      std::string(kHeader) + "<policyDefinitions " + std::string(kNamespaces) +
      ">\n"
      "  <policyNamespaces>\n"
      "    <target prefix=\"driftline\" namespace=\"Quorvane.Policies.Driftline\" />\n"
      "  </policyNamespaces>\n"
      "  <resources minRequiredRevision=\"1.0\" />\n"
      "  <supportedOn>\n    <definitions>\n"
      "      <definition name=\"Supported\" displayName=\"$(string.Supported)\" />\n"
      "    </definitions>\n  </supportedOn>\n"
      "  <categories>\n"
      "    <category name=\"Driftline\" displayName=\"$(string.Driftline)\" "
      "explainText=\"$(string.Driftline_Help)\" />\n"
      "  </categories>\n"
      "  <policies>\n";
  for (const PolicyEntry& entry : Entries()) xml += Definition(entry);
  return xml + "  </policies>\n</policyDefinitions>\n";
}

std::string PolicyTexts() {
  std::string strings =
      StringEntry("Driftline", "Driftline") +
      StringEntry("Driftline_Help",
                  "Values of the Driftline desktop ticker set for every user. A machine policy "
                  "wins over a user policy, and both over the user's own settings.") +
      StringEntry("Supported", "Driftline with policy support");
  std::string presentations;
  for (const PolicyEntry& entry : Entries()) {
    strings += StringEntry(entry.name, DisplayName(entry));
    strings += StringEntry(entry.name + "_Help", Explanation(entry));
    if (entry.kind != PolicyKind::OnOff) presentations += Presentation(entry);
  }
  return std::string(kHeader) + "<policyDefinitionResources " + std::string(kNamespaces) +
         ">\n"
         "  <displayName>Driftline</displayName>\n"
         "  <description>Driftline's values, set and locked by administrators</description>\n"
         "  <resources>\n    <stringTable>\n" +
         strings + "    </stringTable>\n    <presentationTable>\n" + presentations +
         "    </presentationTable>\n  </resources>\n</policyDefinitionResources>\n";
}

}  // namespace core
