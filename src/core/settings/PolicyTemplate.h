#pragma once
// The administrative template that Windows' policy editor loads: made from the table of stored
// values, so that every value the bar reads by policy is in it with its type, range and default.

#include <string>

namespace core {

// Driftline.admx: the category "Driftline" with one policy per stored value (text, a number
// with its range, or on and off) and the two switches, under kPolicyKeyName for machine and user.
std::string PolicyDefinitions();
// en-US/Driftline.adml: the policies' names, explanations and fields in English.
std::string PolicyTexts();

}  // namespace core
