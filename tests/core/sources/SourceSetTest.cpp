#include "core/sources/SourceSet.h"

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
std::string Started(const std::vector<SourceState*>& started, SourceSet& set) {
  std::string text;
  for (const SourceState* s : started) text += s->entry.name;
  text += " due";
  for (const SourceState& s : set.Sources()) {
    text += " " + (s.dueAtMs ? std::to_string(*s.dueAtMs) : std::string("-"));
  }
  return text;
}

struct SetCase {
  const char* what;
  std::function<std::string(SourceSet&)> run;
  std::string expected;
};

class SchedulesSources : public testing::TestWithParam<SetCase> {};

TEST_P(SchedulesSources, EachOnItsOwn) {
  SourceSet set;
  EXPECT_EQ(GetParam().run(set), GetParam().expected);
}

NoSpread random;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sources, SchedulesSources, testing::Values(
    SetCase{"At most two fetches run and files are read beside them", [](SourceSet& set) {
              set.SetList({{"A", "http://a/"}, {"F", "C:\\f.txt"}, {"B", "http://b/"},
                           {"C", "https://c/"}}, 5);
              return Started(set.StartDue(5, 1), set); }, "AF due 5 5 5 5"},
    SetCase{"A source that stays keeps its state and a new one is due at once", [](SourceSet& set) {
              set.SetList(kTwo, 0);
              set.Sources()[1].lines = TextLines(u"kept\n");
              set.Finished(set.Sources()[1], false, std::nullopt, 0, 1000, random);
              set.SetList({{"B2", "http://b/"}, {"N", "http://n/"}}, 50);
              return Started({}, set) + " " + set.Sources()[0].entry.name + " " +
                     Utf8OfUtf16(set.Sources()[0].lines.Lines().at(0)) + " " +
                     std::to_string(set.Sources().size()); }, " due 1100 50 B2 kept 2"},
    SetCase{"A failing source backs off alone", [](SourceSet& set) {
              set.SetList(kTwo, 0);
              set.Finished(set.Sources()[0], true, std::nullopt, 0, 1000, random);
              set.Finished(set.Sources()[0], true, std::nullopt, 0, 1000, random);
              set.Finished(set.Sources()[1], false, std::nullopt, 0, 1000, random);
              return Started({}, set); }, " due 4000 1100"},
    SetCase{"Without automatic checks a source waits for a forced read", [](SourceSet& set) {
              set.SetList(kTwo, 0);
              set.Finished(set.Sources()[0], false, std::nullopt, 0, 0, random);
              const std::string before = Started({}, set);
              set.ForceAll(7);
              return before + " then" + Started({}, set); }, " due - 0 then due 7 7"},
    SetCase{"A running source or one waiting for a free fetch is not due", [](SourceSet& set) {
              set.SetList(kTwo, 3);
              set.StartDue(3, 1);
              const std::string next = std::to_string(set.NextDueMs(2).has_value()) +
                                       std::to_string(*set.NextDueMs(1));
              return next + Started(set.StartDue(3, 0), set); },
            "03B due 3 3"},
    SetCase{"A local source is a file whatever its address", [](SourceSet&) {
              return LocalSourcePath("file:///C:/News/a%20b.txt", "") + " " +
                     LocalSourcePath("more.txt", "Z:\\lists\\my.opml") + " " +
                     LocalSourcePath("D:\\x.txt", "Z:\\l.opml") + " " +
                     std::to_string(SourceKindOf("HTTPS://x/") == SourceKind::Web); },
            "C:\\News\\a b.txt Z:\\lists\\more.txt D:\\x.txt 1"}),
    testing_names::FromWhat());
// clang-format on

}  // namespace
}  // namespace core
