#include "panel/LaunchCommand.h"

#include "lifecycle/ArgumentText.h"
#include "lifecycle/CommandLine.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

constexpr std::wstring_view Program = L"C:\\Program Files\\glaze\\glaze.exe";

std::wstring LineFor(std::wstring_view title, int32_t style, int32_t close) {
    return FrameCommandLine(Program, title, style, close).value_or(L"<none>");
}

TEST(LaunchCommand, StartsTheQuotedProgramWithTitleLetterAndCloseOption) {
    EXPECT_EQ(LineFor(L"记事本", 0, 0), L"\"C:\\Program Files\\glaze\\glaze.exe\" 记事本/A");
    EXPECT_TRUE(LineFor(L"记事本", 4, 1).ends_with(L"\" 记事本/E/q"));
    EXPECT_TRUE(LineFor(L"记事本", 4, 2).ends_with(L"\" 记事本/E")) << "dimmed is not ticked";
    EXPECT_TRUE(LineFor(L"a b ", 26, 0).ends_with(L"\" a b /[")); // past Z, still ASCII
    EXPECT_TRUE(LineFor(L"x", 62, 0).ends_with(L"/\x7F"));
    EXPECT_FALSE(FrameCommandLine(Program, L"x", 63, 0).has_value());
    EXPECT_FALSE(FrameCommandLine(Program, L"x", -1, 0).has_value());
}

TEST(LaunchCommand, TheNewFrameReadsBackTheTitleSkinAndCloseOption) {
    const auto code = [](wchar_t c) { return static_cast<int32_t>(c); };
    for (const std::wstring_view title : {L"记事本", L"a  b ", L"(未命名) - 记事本"}) {
        const std::wstring line = LineFor(title, 4, 1);
        const auto args = ParseArgumentText(ArgumentTextOf(line), code);
        ASSERT_TRUE(args.has_value()) << line.size();
        EXPECT_EQ(args->Title, title);
        EXPECT_EQ(args->StyleIndex, 4);
        EXPECT_EQ(args->QuitFlag, 1);
    }
}

TEST(LaunchCommand, NoLineIsLaunchedThatReadsBackOtherwise) {
    // Skin 49 is the letter "q": without the close option "/q" would mean the option.
    EXPECT_FALSE(FrameCommandLine(Program, L"记事本", 48, 0).has_value());
    EXPECT_TRUE(LineFor(L"记事本", 48, 1).ends_with(L"\" 记事本/q/q"));
    EXPECT_TRUE(LineFor(L"记事本", 47, 0).ends_with(L"\" 记事本/p"));
    // A title naming one of the program's own windows ends the new process at once.
    EXPECT_FALSE(FrameCommandLine(Program, L"a - 模拟Glaze窗体*", 0, 0).has_value());
    EXPECT_FALSE(FrameCommandLine(Program, L" 记事本", 0, 0).has_value());
}

TEST(LaunchCommand, OnlyAFrameCaptionTailAsksForARestyle) {
    EXPECT_EQ(ApplyActionFor(L""), ApplyAction::Nothing);
    EXPECT_EQ(ApplyActionFor(L"模拟Glaze窗体*"), ApplyAction::Nothing);
    EXPECT_EQ(ApplyActionFor(L"abc - 模拟Glaze窗体*"), ApplyAction::Restyle);
    EXPECT_EQ(ApplyActionFor(L"abc- 模拟Glaze窗体*"), ApplyAction::Restyle);
    EXPECT_EQ(ApplyActionFor(L"- 模拟Glaze窗体*"), ApplyAction::Restyle);
    EXPECT_EQ(ApplyActionFor(L" 模拟Glaze窗体*"), ApplyAction::Launch);
    EXPECT_EQ(ApplyActionFor(L"abc -模拟Glaze窗体*"), ApplyAction::Launch);
    EXPECT_EQ(ApplyActionFor(L"abc - 模拟Glaze窗体* "), ApplyAction::Launch);
    EXPECT_EQ(ApplyActionFor(L"记事本"), ApplyAction::Launch);
}

} // namespace
} // namespace glaze
