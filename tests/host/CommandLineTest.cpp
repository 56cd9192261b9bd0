#include "settings/CommandLine.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

// In the tests a letter's ANSI code is its own code; a Chinese character gives the negative
// double-byte value the platform would report.
int32_t TestAnsiCode(wchar_t c) {
    return c < 0x80 ? c : -10544;
}

std::optional<FrameArguments> Parse(std::wstring_view text) {
    return ParseArgumentText(text, TestAnsiCode);
}

TEST(CommandLine, ParsesTheTableOfExamples) {
    struct Case {
        std::wstring_view text, title, trimmed;
        int32_t style, quit;
    };
    const Case cases[] = {
        {L"记事本/B/q", L"记事本", L"记事本", 1, 1},
        {L"记事本/A", L"记事本", L"记事本", 0, 0},
        {L"计算器 /C", L"计算器 ", L"计算器", 2, 0},
        {L"记事本/a", L"记事本", L"记事本", 32, 0},
    };
    for (const Case& c : cases) {
        const auto args = Parse(c.text);
        ASSERT_TRUE(args.has_value());
        EXPECT_EQ(args->Title, c.title);
        EXPECT_EQ(args->TrimmedTitle, c.trimmed);
        EXPECT_EQ(args->StyleIndex, c.style);
        EXPECT_EQ(args->CloseProgram, c.quit);
    }
}

TEST(CommandLine, OnlyALowerCaseQuitOptionCounts) {
    const auto upper = Parse(L"记事本/A/Q");
    ASSERT_TRUE(upper.has_value());
    EXPECT_EQ(upper->CloseProgram, 0);
    EXPECT_EQ(upper->StyleIndex, L'Q' - 65);
    EXPECT_EQ(upper->Title, L"记事本/A"); // still ends in the first separator and letter
}

TEST(CommandLine, TheSeparatorMayBeAnyCharacter) {
    const auto args = Parse(L"Untitled - Notepad#D");
    ASSERT_TRUE(args.has_value());
    EXPECT_EQ(args->Title, L"Untitled - Notepad");
    EXPECT_EQ(args->StyleIndex, 3);
}

TEST(CommandLine, KeepsInnerBlanksAndTrimsOnlySpaces) {
    const auto args = Parse(L"  a  b \t /A");
    ASSERT_TRUE(args.has_value());
    EXPECT_EQ(args->Title, L"  a  b \t ");
    EXPECT_EQ(args->TrimmedTitle, L"a  b \t");
}

TEST(CommandLine, LettersBelowCapitalAGiveANegativeIndex) {
    EXPECT_EQ(Parse(L"abc/1")->StyleIndex, 49 - 65);
    EXPECT_LT(Parse(L"abc/中")->StyleIndex, 0);
}

TEST(CommandLine, TooShortATextEndsTheProcess) {
    EXPECT_FALSE(Parse(L"").has_value());
    EXPECT_FALSE(Parse(L"A").has_value());
    EXPECT_FALSE(Parse(L"/q").has_value());
    EXPECT_FALSE(Parse(L"x/q").has_value());
    const auto empty = Parse(L"/A"); // separator and letter alone: an empty title
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->TrimmedTitle, L"");
}

TEST(CommandLine, TheProgramsOwnWindowsAreNeverFramed) {
    EXPECT_FALSE(Parse(L"模拟Glaze窗体*/A").has_value());
    EXPECT_FALSE(Parse(L"记事本 - 模拟Glaze窗体*/B/q").has_value());
    EXPECT_FALSE(Parse(L"记事本 - 模拟Glaze窗体*  /B").has_value()); // after trimming
    EXPECT_FALSE(Parse(L"x模拟Glaze窗体*/A").has_value());
    EXPECT_TRUE(Parse(L"模拟Glaze窗体*x/A").has_value());
    EXPECT_TRUE(Parse(L"模拟glaze窗体*/A").has_value()); // case matters
}

TEST(CommandLine, TheExactWindowAndHowTheFrameComesUpTravelBesideTheArgumentText) {
    const FrameExtras extras{~uint64_t{0}, 0x1a4, true, 80};
    EXPECT_EQ(FrameExtrasText({0x2007c, 0x1a4, false, 100}),
              L"window=2007c thread=1a4 ontop=0 opacity=100");
    const auto read = ReadFrameExtras(FrameExtrasText(extras));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->Window, extras.Window);
    EXPECT_EQ(read->Thread, extras.Thread);
    EXPECT_TRUE(read->OnTop);
    EXPECT_EQ(read->Opacity, 80);
    EXPECT_EQ(ReadFrameExtras(L"thread=7 window=2007C")->Window, uint64_t{0x2007c});
    for (const std::wstring_view bad :
         {L"", L"window=0 thread=1", L"window=1", L"thread=1", L"window=x1 thread=1",
          L"window=1 thread=1 opacity=59", L"window=1 thread=1 ontop=2", L"window=1  thread=1",
          L"window=1 thread=1 colour=red", L"window=10000000000000000 thread=1"}) {
        EXPECT_FALSE(ReadFrameExtras(bad).has_value()) << bad.size();
    }
}

} // namespace
} // namespace glaze
