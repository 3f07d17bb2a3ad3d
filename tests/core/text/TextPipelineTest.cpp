#include "core/text/TextPipeline.h"

#include <gtest/gtest.h>

#include <optional>
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

// The last lines of a read are found walking back over its bytes; the list of its lines, walked
// forward, is the reference.
struct LastLinesCase {
  const char* name;
  std::string bytes;
  int count;
  std::optional<std::string> text;  // none: the list alone decides
};

TextOptions LastLines(int count, bool useComment) {
  TextOptions options;
  options.useComment = useComment;
  options.commentStr = "#";
  options.loadLastLines = true;
  options.linesToLoad = count;
  return options;
}

class LastLinesOfBytes : public testing::TestWithParam<LastLinesCase> {};

TEST_P(LastLinesOfBytes, AreTheLastLinesOfTheList) {
  const LastLinesCase& c = GetParam();
  for (const bool useComment : {false, true}) {
    TextLines read(c.bytes);
    std::vector<std::string_view> list = SplitLines(c.bytes);
    const std::string expected = BuildText(list, LastLines(c.count, useComment));
    EXPECT_EQ(BuildText(read, LastLines(c.count, useComment)), expected) << useComment;
    EXPECT_EQ(Joined(read.Lines()), expected) << useComment;
    if (!useComment && c.text) {
      EXPECT_EQ(expected, *c.text);
    }
  }
}

std::string Numbered(int count, const char* end) {
  std::string bytes;
  for (int i = 1; i <= count; ++i) {
    bytes += (i % 7 == 0 ? "# comment " : "headline ") + std::to_string(i) + end;
  }
  return bytes;
}

// The walk back gives up beyond about an eighth of the bytes, and at a NUL.
const std::string kLong = Numbered(3000, "\r\n");
const std::string kLongTail = "headline 2999 headline 3000 ";

// clang-format off
const std::vector<LastLinesCase> kLastLines{
    {"TrailingCrLf", "a\r\nb\r\nc\r\n", 2, "b c "},
    {"NoTrailingBreak", "a\r\nb\r\nc", 2, "b c "},
    {"Lf", "a\nb\nc\n", 2, "b c "},
    {"LoneCr", "a\rb\rc\r", 2, "b c "},
    {"CrCrLf", "a\r\r\nb", 2, " b "},
    {"EmptyLastLine", "a\nb\n\n", 2, "b  "},
    {"OnlyABreak", "\n", 2, " "},
    {"Empty", "", 2, ""},
    {"MoreThanTheFile", "a\nb\n", 5, "a b "},
    {"ExactlyTheFile", "a\nb", 2, "a b "},
    {"One", "a\nb\nc", 1, "c "},
    {"Zero", "a\nb", 0, ""},
    {"CommentsAreSkipped", "a\n#b\nc\n#d\n", 2, "c #d "},
    {"NulEndsTheText", std::string("a\nb\nc\0d\ne", 9), 2, "b c "},
    {"NulAfterABreak", std::string("a\nb\n\0c", 6), 1, "b "},
    {"NulFirst", std::string("\0a\nb", 4), 1, ""},
    {"NulLast", std::string("a\nb\nc\0", 6), 2, "b c "},
    {"ControlBytesBesideBreaks", std::string(30, 'x') + "\nab\tc\nd\te\tf\x01g\r\nh\t\x0Bij\n", 3,
     "ab\tc d\te\tf\x01g h\t\x0Bij "},
    {"BreaksInEveryPlaceOfAWord", "0123456789abcdef\r0123456\n\n89abcde\r\n" + std::string(40, 'x'),
     3, " 89abcde " + std::string(40, 'x') + " "},
    {"LongFewLines", kLong, 2, kLongTail},
    {"LongAllLines", kLong, 5000, std::nullopt},
    {"LongNearlyAll", kLong, 2999, std::nullopt},
    {"LongNulNearTheEnd", kLong + std::string("\0x\ny", 4), 2, kLongTail},
    {"LongNulNearTheStart", "a\n" + std::string("\0", 1) + kLong, 2, "a "},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, LastLinesOfBytes, testing::ValuesIn(kLastLines),
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
