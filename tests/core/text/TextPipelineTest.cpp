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
  std::vector<std::u16string> lines;
  const char16_t* comment;  // nullptr: UseComment off
  Pick pick;
  int count;
  std::u16string text;
};

TextOptions OptionsOf(const PipelineCase& c) {
  TextOptions options;
  options.useComment = c.comment != nullptr;
  options.commentStr = c.comment != nullptr ? c.comment : u"#";
  options.loadFirstLines = c.pick == Pick::First || c.pick == Pick::Both;
  options.loadLastLines = c.pick == Pick::Last || c.pick == Pick::Both;
  options.linesToLoad = c.count;
  return options;
}

std::u16string Joined(const std::vector<std::u16string_view>& lines) {
  std::u16string text;
  for (const std::u16string_view line : lines) (text += line) += ' ';
  return text;
}

class BuildsText : public testing::TestWithParam<PipelineCase> {};

// A list of lines and the bytes of a read take different roads to the same text; the lines
// left behind are the ones shown, for the display lines.
TEST_P(BuildsText, FromAListAndFromTheBytesAlike) {
  const PipelineCase& c = GetParam();
  std::vector<std::u16string_view> list(c.lines.begin(), c.lines.end());
  EXPECT_EQ(BuildText(list, OptionsOf(c)), c.text);
  EXPECT_EQ(Joined(list), c.text);

  std::u16string bytes;
  for (const std::u16string& line : c.lines) bytes += line + u"\r\n";
  TextLines read(bytes);
  EXPECT_EQ(BuildText(read, OptionsOf(c)), c.text);
  EXPECT_EQ(Joined(read.Lines()), c.text);
}

const std::vector<std::u16string> kFive{u"1", u"2", u"3", u"4", u"5"};

// clang-format off
const std::vector<PipelineCase> kCases{
    {"DropsIndentedCommentsButTheLast", {u"#a", u"  #b", u"c", u"#d"}, u"#", Pick::All, 3, u"c #d "},
    {"KeepsCommentsWhenUseCommentIsOff", {u"#a", u"b"}, nullptr, Pick::All, 3, u"#a b "},
    {"BlanksOnlyCommentDropsNothing", {u"a", u" b"}, u"   ", Pick::All, 3, u"a  b "},
    {"SemicolonWithBlanksActsBare", {u";x", u"  ;y", u"z; ", u";w"}, u" ; ", Pick::All, 3, u"z;  ;w "},
    {"CaseMatters", {u"REM a", u"rem b", u" REMc", u"d"}, u"REM", Pick::All, 3, u"rem b d "},
    {"ControlBytesTrimLikeBlanks", {u"\t#a", u"\x1F#b", u"c"}, u"\t#\x1F", Pick::All, 3, u"c "},
    {"HighBytesAreNotBlanks", {u"\xA0#a", u"b"}, u"#", Pick::All, 3, u"\xA0#a b "},
    {"AllCommentsLeaveTheLast", {u"#1", u"#2"}, u"#", Pick::All, 3, u"#2 "},
    {"EmptyLinesAreNotComments", {u"", u"#", u"x"}, u"#", Pick::All, 3, u" x "},
    {"FirstThreeOfFive", kFive, nullptr, Pick::First, 3, u"1 2 3 "},
    {"LastThreeOfFive", kFive, nullptr, Pick::Last, 3, u"3 4 5 "},
    {"FirstThreeOfTwo", {u"1", u"2"}, nullptr, Pick::First, 3, u"1 2 "},
    {"LastThreeOfTwo", {u"1", u"2"}, nullptr, Pick::Last, 3, u"1 2 "},
    {"FirstWinsOverLast", kFive, nullptr, Pick::Both, 2, u"1 2 "},
    {"ZeroKeepsNone", kFive, nullptr, Pick::Last, 0, u""},
    {"NegativeKeepsNone", kFive, nullptr, Pick::First, -4, u""},
    {"NoLinesGiveNoText", {}, nullptr, Pick::All, 3, u""},
    {"OneEmptyLineGivesABlank", {u""}, nullptr, Pick::All, 3, u" "},
    {"CommentsGoBeforeLastLines", {u"#x", u"1", u"2", u"#y", u"3", u"#z"}, u"#", Pick::Last, 2, u"3 #z "},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, BuildsText, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The last lines of a read are found walking back over its bytes; the list of its lines, walked
// forward, is the reference.
struct LastLinesCase {
  const char* name;
  std::u16string bytes;
  int count;
  std::optional<std::u16string> text;  // none: the list alone decides
};

TextOptions LastLines(int count, bool useComment) {
  TextOptions options;
  options.useComment = useComment;
  options.commentStr = u"#";
  options.loadLastLines = true;
  options.linesToLoad = count;
  return options;
}

class LastLinesOfBytes : public testing::TestWithParam<LastLinesCase> {};

TEST_P(LastLinesOfBytes, AreTheLastLinesOfTheList) {
  const LastLinesCase& c = GetParam();
  for (const bool useComment : {false, true}) {
    TextLines read(c.bytes);
    std::vector<std::u16string_view> list = SplitLines(c.bytes);
    const std::u16string expected = BuildText(list, LastLines(c.count, useComment));
    EXPECT_EQ(BuildText(read, LastLines(c.count, useComment)), expected) << useComment;
    EXPECT_EQ(Joined(read.Lines()), expected) << useComment;
    if (!useComment && c.text) {
      EXPECT_EQ(expected, *c.text);
    }
  }
}

std::u16string Numbered(int count, const char16_t* end) {
  std::u16string bytes;
  for (int i = 1; i <= count; ++i) {
    const std::string number = std::to_string(i);
    bytes += (i % 7 == 0 ? u"# comment " : u"headline ") +
             std::u16string(number.begin(), number.end()) + end;
  }
  return bytes;
}

// The walk back gives up beyond about an eighth of the bytes, and at a NUL.
const std::u16string kLong = Numbered(3000, u"\r\n");
const std::u16string kLongTail = u"headline 2999 headline 3000 ";

// clang-format off
const std::vector<LastLinesCase> kLastLines{
    {"TrailingCrLf", u"a\r\nb\r\nc\r\n", 2, u"b c "},
    {"NoTrailingBreak", u"a\r\nb\r\nc", 2, u"b c "},
    {"Lf", u"a\nb\nc\n", 2, u"b c "},
    {"LoneCr", u"a\rb\rc\r", 2, u"b c "},
    {"CrCrLf", u"a\r\r\nb", 2, u" b "},
    {"EmptyLastLine", u"a\nb\n\n", 2, u"b  "},
    {"OnlyABreak", u"\n", 2, u" "},
    {"Empty", u"", 2, u""},
    {"MoreThanTheFile", u"a\nb\n", 5, u"a b "},
    {"ExactlyTheFile", u"a\nb", 2, u"a b "},
    {"One", u"a\nb\nc", 1, u"c "},
    {"Zero", u"a\nb", 0, u""},
    {"CommentsAreSkipped", u"a\n#b\nc\n#d\n", 2, u"c #d "},
    {"NulEndsTheText", std::u16string(u"a\nb\nc\0d\ne", 9), 2, u"b c "},
    {"NulAfterABreak", std::u16string(u"a\nb\n\0c", 6), 1, u"b "},
    {"NulFirst", std::u16string(u"\0a\nb", 4), 1, u""},
    {"NulLast", std::u16string(u"a\nb\nc\0", 6), 2, u"b c "},
    {"ControlBytesBesideBreaks", std::u16string(30, 'x') + u"\nab\tc\nd\te\tf\x01g\r\nh\t\x0Bij\n", 3,
     u"ab\tc d\te\tf\x01g h\t\x0Bij "},
    {"BreaksInEveryPlaceOfAWord", u"0123456789abcdef\r0123456\n\n89abcde\r\n" + std::u16string(40, 'x'),
     3, u" 89abcde " + std::u16string(40, 'x') + u" "},
    {"LongFewLines", kLong, 2, kLongTail},
    {"LongAllLines", kLong, 5000, std::nullopt},
    {"LongNearlyAll", kLong, 2999, std::nullopt},
    {"LongNulNearTheEnd", kLong + std::u16string(u"\0x\ny", 4), 2, kLongTail},
    {"LongNulNearTheStart", u"a\n" + std::u16string(u"\0", 1) + kLong, 2, u"a "},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, LastLinesOfBytes, testing::ValuesIn(kLastLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BuildText, ALineBeforeANulIsTheLast) {
  TextLines read(std::u16string(u"#a\n#b\n\0#c\n", 10));
  TextOptions options;
  options.useComment = true;
  options.commentStr = u"#";
  EXPECT_EQ(BuildText(read, options), u"#b ");
}

}  // namespace
}  // namespace core
