#include "core/sources/SourceSchedule.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TestNames.h"
#include "core/text/TextDecoding.h"

namespace core {
namespace {

class NoSpread : public RandomSource {
 public:
  std::int64_t Between(std::int64_t, std::int64_t high) override { return high; }
};

const std::vector<SourceEntry> kTwo{{"A", "http://a/"}, {"B", "http://b/"}};

// Names of the sources started, then each source's due time ("-" for none).
std::string Started(const std::vector<SourceCheck>& started, SourceSchedule& set) {
  std::string text;
  for (const SourceCheck& s : started) text += set.Find(s.sourceId)->entry.name;
  text += " due";
  for (const SourceState& s : set.Members()) {
    text += " " + (s.dueAtMs ? std::to_string(*s.dueAtMs) : std::string("-"));
  }
  return text;
}

struct SetCase {
  const char* what;
  std::function<std::string(SourceSchedule&)> run;
  std::string expected;
};

class SchedulesSources : public testing::TestWithParam<SetCase> {};

TEST_P(SchedulesSources, EachOnItsOwn) {
  SourceSchedule set(1000);
  EXPECT_EQ(GetParam().run(set), GetParam().expected);
}

NoSpread random;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sources, SchedulesSources, testing::Values(
    SetCase{"At most two fetches run and files are read beside them", [](SourceSchedule& set) {
              set.SetMembers({{"A", "http://a/"}, {"F", "C:\\f.txt"}, {"B", "http://b/"},
                              {"C", "https://c/"}}, 5);
              return Started(set.StartDueMembers(5), set); }, "AFB due 5 5 5 5"},
    SetCase{"A source that stays keeps its state and a new one is due at once", [](SourceSchedule& set) {
              set.SetMembers(kTwo, 0);
              set.Members()[1].lines = TextLines(u"kept\n");
              set.Finished(set.Members()[1], false, std::nullopt, 0, 1000, random);
              set.SetMembers({{"B2", "http://b/"}, {"N", "http://n/"}}, 50);
              return Started({}, set) + " " + set.Members()[0].entry.name + " " +
                     Utf8OfUtf16(set.Members()[0].lines.Lines().at(0)) + " " +
                     std::to_string(set.Members().size()); }, " due 1100 50 B2 kept 2"},
    SetCase{"A failing source backs off alone", [](SourceSchedule& set) {
              set.SetMembers(kTwo, 0);
              set.Finished(set.Members()[0], true, std::nullopt, 0, 1000, random);
              set.Finished(set.Members()[0], true, std::nullopt, 0, 1000, random);
              set.Finished(set.Members()[1], false, std::nullopt, 0, 1000, random);
              return Started({}, set); }, " due 4000 1100"},
    SetCase{"A file is looked at every GetFileDelay exactly, a server's checks are spread",
            [](SourceSchedule& set) {
              set.SetMembers({{"F", "C:\\f.txt"}, {"A", "http://a/"}}, 0);
              set.Finished(set.Members()[0], false, std::nullopt, 0, 1000, random);
              set.Finished(set.Members()[1], false, std::nullopt, 0, 1000, random);
              return Started({}, set); }, " due 1000 1100"},
    SetCase{"Without automatic checks a source waits for a forced read", [](SourceSchedule& set) {
              set.SetMembers(kTwo, 0);
              set.Finished(set.Members()[0], false, std::nullopt, 0, 0, random);
              const std::string before = Started({}, set);
              set.ForceMembers(7);
              return before + " then" + Started({}, set); }, " due - 0 then due 7 7"},
    SetCase{"A running source or one waiting for a free fetch is not due", [](SourceSchedule& set) {
              set.SetMembers({{"A", "http://a/"}, {"B", "http://b/"}, {"C", "http://c/"}}, 3);
              const std::vector<SourceCheck> running = set.StartDueMembers(3);
              const std::string full = std::to_string(set.NextMemberDueMs(0).has_value());
              set.Ended(running[0].fetchId);
              set.Finished(set.Members()[0], false, std::nullopt, 3, 1000, random);
              const std::string next = full + " " + std::to_string(*set.NextMemberDueMs(3));
              return next + Started(set.StartDueMembers(3), set); },
            "0 3C due 1103 3 3"},
    SetCase{"A local source is a file whatever its address", [](SourceSchedule&) {
              return LocalSourcePath("file:///C:/News/a%20b.txt", "") + " " +
                     LocalSourcePath("more.txt", "Z:\\lists\\my.opml") + " " +
                     LocalSourcePath("D:\\x.txt", "Z:\\l.opml") + " " +
                     std::to_string(SourceKindOf("HTTPS://x/") == SourceKind::Web); },
            "C:\\News\\a b.txt Z:\\lists\\more.txt D:\\x.txt 1"}),
    testing_names::FromWhat());

INSTANTIATE_TEST_SUITE_P(Runner, SchedulesSources, testing::Values(
    SetCase{"A fetch past its deadline is given up and its late report belongs to nobody",
            [](SourceSchedule& set) {
              set.SetMembers(kTwo, 0);
              const std::vector<SourceCheck> started = set.StartDueMembers(0);
              const std::size_t early = set.Overdue(999).size();
              const std::size_t late = set.Overdue(1000).size();
              const bool owned = set.Ended(started[0].fetchId).has_value();
              return std::to_string(early) + std::to_string(late) + std::to_string(owned) +
                     std::to_string(set.Abandoned()) + std::to_string(set.Members()[0].running); },
            "02010"},
    SetCase{"The options hold every check and keep the wait and a Retry-After", [](SourceSchedule& set) {
              set.SetMembers(kTwo, 0);
              set.Finished(set.Members()[0], true, 60000, 0, 1000, random);
              set.Finished(set.Members()[1], false, std::nullopt, 0, 1000, random);
              set.Hold(1000);
              const std::string held = std::to_string(set.StartDueMembers(90000).size()) +
                                       std::to_string(set.NextMemberDueMs(0).has_value());
              set.Resume(2000);
              const std::string resumed = Started({}, set);
              set.ForceMembers(2000);
              return held + resumed + " then" + Started({}, set); },
            "00 due 61000 2100 then due 60000 2000"},
    SetCase{"The bar's own source is checked once at a time and its Retry-After holds a forced check",
            [](SourceSchedule& set) {
              SourceState* root = set.SetRoot({"news", "http://x/"});
              const std::optional<SourceCheck> first = set.StartRoot(0);
              const bool second = set.StartRoot(0).has_value();
              set.Ended(first->fetchId);
              const std::int64_t wait = set.Finished(*root, true, 30000, 0, 1000, random);
              return std::to_string(second) + " " + std::to_string(wait) + " " +
                     std::to_string(set.StartRoot(29999).has_value()) +
                     std::to_string(set.StartRoot(30000).has_value()); },
            "0 30000 01"},
    SetCase{"Another address of the bar's own drops its list and the old check's owner",
            [](SourceSchedule& set) {
              const std::uint64_t old = set.SetRoot({"l", "Z:\\l.opml"})->id;
              set.SetMembers(kTwo, 0);
              set.SetRoot({"l", "Z:\\l.opml"});
              const std::string same = std::to_string(set.HasList()) +
                                       std::to_string(set.Members().size());
              set.SetRoot({"n", "http://n/"});
              return same + std::to_string(set.HasList()) + std::to_string(set.Members().size()) +
                     std::to_string(set.Find(old) != nullptr); },
            "12000"},
    SetCase{"Nothing starts while held, the bar's own source included", [](SourceSchedule& set) {
              set.SetRoot({"n", "http://n/"});
              set.Hold(0);
              return std::to_string(set.StartRoot(0).has_value()); },
            "0"}),
    testing_names::FromWhat());

// Each named member's last check failed, long ago; then all are due now.
void FailThenForce(SourceSchedule& set, std::initializer_list<std::size_t> failed) {
  for (const std::size_t at : failed) set.Finished(set.Members()[at], true, {}, -5000, 1000, random);
  set.ForceMembers(0);
}
const std::vector<SourceEntry> kThree{{"X", "http://x/"}, {"Y", "http://y/"}, {"A", "http://a/"}};
const std::vector<SourceEntry> kFiles{{"F", "C:\\f"}, {"G", "C:\\g"}, {"H", "C:\\h"}};

INSTANTIATE_TEST_SUITE_P(Fire, SchedulesSources, testing::Values(
    SetCase{"GetFileDelay below the floor asks a server once a second", [](SourceSchedule& set) {
              set.SetMembers(kTwo, 0);
              set.Finished(set.Members()[0], false, {}, 0, 1, random);
              return Started({}, set); }, " due 1100 0"},
    SetCase{"A file keeps its exact GetFileDelay however short", [](SourceSchedule& set) {
              set.SetMembers(kFiles, 0);
              set.Finished(set.Members()[0], false, {}, 0, 1, random);
              return Started({}, set); }, " due 1 0 0"},
    SetCase{"A missing or unreadable file backs off as a failing server does", [](SourceSchedule& set) {
              set.SetMembers(kFiles, 0);
              set.Finished(set.Members()[0], true, {}, 0, 1000, random);
              set.Finished(set.Members()[0], true, {}, 0, 1000, random);
              return Started({}, set); }, " due 4000 0 0"},
    SetCase{"A forced read waits for the floor after the last check", [](SourceSchedule& set) {
              set.SetMembers(kTwo, 0);
              set.Finished(set.Members()[0], false, {}, 100, 0, random);
              set.ForceMembers(200);
              const std::string early = Started(set.StartDueMembers(200), set);
              const std::string next = " next " + std::to_string(*set.NextMemberDueMs(200));
              return early + next + Started(set.StartDueMembers(1100), set); },
            "B due 200 200 next 1100A due 200 200"},
    SetCase{"The bar's own source is asked again only after the floor", [](SourceSchedule& set) {
              SourceState* root = set.SetRoot({"news", "http://x/"});
              set.Ended(set.StartRoot(0)->fetchId);
              set.Finished(*root, false, {}, 50, 0, random);
              const bool early = set.StartRoot(1049).has_value();
              return std::to_string(early) + std::to_string(set.StartRoot(1050).has_value()); }, "01"},
    SetCase{"Sources that answered go first and a failing one waits", [](SourceSchedule& set) {
              set.SetMembers(kThree, 0);
              FailThenForce(set, {0});
              return Started(set.StartDueMembers(0), set); }, "YA due 0 0 0"},
    SetCase{"A failing source leaves the last slot to those that answer", [](SourceSchedule& set) {
              set.SetMembers(kThree, 0);
              FailThenForce(set, {0, 1});
              const std::string first = Started(set.StartDueMembers(0), set);
              return first + " |" + Started(set.StartDueMembers(0), set); }, "AX due 0 0 0 | due 0 0 0"},
    SetCase{"A fetch running ten seconds leaves the last slot as a failing one does",
            [](SourceSchedule& set) {
              set.SetMembers(kThree, 0);
              set.Finished(set.Members()[1], true, {}, -5000, 1000, random);
              set.Members()[1].dueAtMs = 10000;
              set.Members()[2].dueAtMs = std::nullopt;
              set.StartDueMembers(0);
              return Started(set.StartDueMembers(10000), set); }, " due 0 10000 -"},
    SetCase{"A failing source alone takes one slot, never both", [](SourceSchedule& set) {
              set.SetMembers(kTwo, 0);
              FailThenForce(set, {0, 1});
              return Started(set.StartDueMembers(0), set); }, "A due 0 0"},
    SetCase{"Two workers given up stop every new check until one reports", [](SourceSchedule& set) {
              SourceState* root = set.SetRoot({"l", "http://l/"});
              set.Ended(set.StartRoot(0)->fetchId);
              set.Finished(*root, false, {}, -5000, 0, random);
              set.SetMembers(kTwo, 0);
              const std::vector<SourceCheck> started = set.StartDueMembers(0);
              set.Overdue(1000);
              set.ForceMembers(1000);
              const std::string stopped = std::to_string(set.StartDueMembers(1000).size()) +
                                          std::to_string(set.StartRoot(1000).has_value());
              set.Ended(started[0].fetchId);
              return stopped + Started(set.StartDueMembers(1000), set); }, "00AB due 1000 1000"},
    SetCase{"One worker given up stops nothing", [](SourceSchedule& set) {
              set.SetMembers(kTwo, 0);
              set.Ended(set.StartDueMembers(0)[1].fetchId);
              set.Overdue(1000);
              set.ForceMembers(1000);
              return Started(set.StartDueMembers(1000), set); }, "AB due 1000 1000"},
    SetCase{"At most two files are read at once", [](SourceSchedule& set) {
              set.SetMembers(kFiles, 0);
              return Started(set.StartDueMembers(0), set); }, "FG due 0 0 0"}),
    testing_names::FromWhat());
// clang-format on

}  // namespace
}  // namespace core
