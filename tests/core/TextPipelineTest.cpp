#include "core/TextPipeline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace core {
namespace {

enum class Pick { All, First, Last, Both };

struct PipelineCase {
  const char* name;
  std::vector<std::string> lines;
  const char* comment;  // nullptr: UseComment off
  Pick pick;
  int count;
  std::string text;
};

TextOptions OptionsOf(const PipelineCase& c) {
  TextOptions options;
  options.useComment = c.comment != nullptr;
  options.commentStr = c.comment != nullptr ? c.comment : "#";
  options.loadFirstLines = c.pick == Pick::First || c.pick == Pick::Both;
  options.loadLastLines = c.pick == Pick::Last || c.pick == Pick::Both;
  options.linesToLoad = c.count;
  return options;
}

std::string Joined(const std::vector<std::string_view>& lines) {
  std::string text;
  for (const std::string_view line : lines) (text += line) += ' ';
  return text;
}

class BuildsText : public testing::TestWithParam<PipelineCase> {};

// A list of lines and the bytes of a read take different roads to the same text; the lines
// left behind are the ones shown, for the display lines.
TEST_P(BuildsText, FromAListAndFromTheBytesAlike) {
  const PipelineCase& c = GetParam();
  std::vector<std::string_view> list(c.lines.begin(), c.lines.end());
  EXPECT_EQ(BuildText(list, OptionsOf(c)), c.text);
  EXPECT_EQ(Joined(list), c.text);

  std::string bytes;
  for (const std::string& line : c.lines) bytes += line + "\r\n";
  TextLines read(bytes);
  EXPECT_EQ(BuildText(read, OptionsOf(c)), c.text);
  EXPECT_EQ(Joined(read.Lines()), c.text);
}

const std::vector<std::string> kFive{"1", "2", "3", "4", "5"};

// clang-format off
const std::vector<PipelineCase> kCases{
    {"DropsIndentedCommentsButTheLast", {"#a", "  #b", "c", "#d"}, "#", Pick::All, 3, "c #d "},
    {"KeepsCommentsWhenUseCommentIsOff", {"#a", "b"}, nullptr, Pick::All, 3, "#a b "},
    {"BlanksOnlyCommentDropsNothing", {"a", " b"}, "   ", Pick::All, 3, "a  b "},
    {"SemicolonWithBlanksActsBare", {";x", "  ;y", "z; ", ";w"}, " ; ", Pick::All, 3, "z;  ;w "},
    {"CaseMatters", {"REM a", "rem b", " REMc", "d"}, "REM", Pick::All, 3, "rem b d "},
    {"ControlBytesTrimLikeBlanks", {"\t#a", "\x1F#b", "c"}, "\t#\x1F", Pick::All, 3, "c "},
    {"HighBytesAreNotBlanks", {"\xA0#a", "b"}, "#", Pick::All, 3, "\xA0#a b "},
    {"AllCommentsLeaveTheLast", {"#1", "#2"}, "#", Pick::All, 3, "#2 "},
    {"EmptyLinesAreNotComments", {"", "#", "x"}, "#", Pick::All, 3, " x "},
    {"FirstThreeOfFive", kFive, nullptr, Pick::First, 3, "1 2 3 "},
    {"LastThreeOfFive", kFive, nullptr, Pick::Last, 3, "3 4 5 "},
    {"FirstThreeOfTwo", {"1", "2"}, nullptr, Pick::First, 3, "1 2 "},
    {"LastThreeOfTwo", {"1", "2"}, nullptr, Pick::Last, 3, "1 2 "},
    {"FirstWinsOverLast", kFive, nullptr, Pick::Both, 2, "1 2 "},
    {"ZeroKeepsNone", kFive, nullptr, Pick::Last, 0, ""},
    {"NegativeKeepsNone", kFive, nullptr, Pick::First, -4, ""},
    {"NoLinesGiveNoText", {}, nullptr, Pick::All, 3, ""},
    {"OneEmptyLineGivesABlank", {""}, nullptr, Pick::All, 3, " "},
    {"CommentsGoBeforeLastLines", {"#x", "1", "2", "#y", "3", "#z"}, "#", Pick::Last, 2, "3 #z "},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, BuildsText, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BuildText, ALineBeforeANulIsTheLast) {
  TextLines read(std::string("#a\n#b\n\0#c\n", 10));
  TextOptions options;
  options.useComment = true;
  options.commentStr = "#";
  EXPECT_EQ(BuildText(read, options), "#b ");
}

}  // namespace
}  // namespace core
