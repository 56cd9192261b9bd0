#include "resident/HotkeyText.h"
#include "resident/LaunchQueue.h"
#include "resident/Pattern.h"
#include "resident/RuleFile.h"
#include "resident/RuleMatch.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

TEST(RulePattern, StarsAndQuestionMarksWithOrWithoutCase) {
    EXPECT_TRUE(MatchesPattern(L"*记事本", L"(未命名) - 记事本", false));
    EXPECT_TRUE(MatchesPattern(L"note?ad.EXE", L"Notepad.exe", true));
    EXPECT_FALSE(MatchesPattern(L"note?ad.EXE", L"Notepad.exe", false));
    EXPECT_TRUE(MatchesPattern(L"*", L"", false));
    EXPECT_FALSE(MatchesPattern(L"?", L"", false));
    EXPECT_TRUE(MatchesPattern(L"a*b*c", L"axxbyyc", false));
    EXPECT_FALSE(MatchesPattern(L"a*b*c", L"axxbyy", false));
    EXPECT_FALSE(MatchesPattern(L"abc", L"abcd", false));
    // Many stars over a long text that almost matches finish at once.
    EXPECT_FALSE(MatchesPattern(std::wstring(30, L'*') + L"b", std::wstring(20000, L'a'), false));
}

constexpr std::wstring_view SampleFile = L"; my rules\r\n"
                                         L"[glaze]\r\n"
                                         L"Hotkey = ctrl+shift+F9\r\n"
                                         L"NEVER=explorer.exe, ,Taskmgr.exe\r\n"
                                         L"[RULE1]\r\n"
                                         L"PROGRAM=notepad.exe\r\n"
                                         L"TITLE=\" *记事本\"\r\n"
                                         L"SKIN=Jade\r\n"
                                         L"CLOSE=1\r\n"
                                         L"[Rule editor]\r\n"
                                         L"program=*.exe\r\n"
                                         L"class=Edit*\n"
                                         L"skin=Aurora\n"
                                         L"ON=0\n";

TEST(RuleFile, ReadsTheRulesAndWritesThemBackTheSame) {
    const RuleReading read = ReadRules(SampleFile);
    EXPECT_TRUE(read.Problems.empty()) << ProblemsText(read.Problems).size();
    EXPECT_EQ(read.Set.HotkeyText, L"ctrl+shift+F9");
    EXPECT_EQ(read.Set.NeverFramed, (std::vector<std::wstring>{L"explorer.exe", L"Taskmgr.exe"}));
    ASSERT_EQ(read.Set.Rules.size(), 2u);
    const Rule& first = read.Set.Rules[0];
    EXPECT_EQ(first.Program, L"notepad.exe");
    EXPECT_EQ(first.TitlePattern, L" *记事本"); // the quotes keep its blank
    EXPECT_EQ(first.Skin, L"Jade");
    EXPECT_EQ(first.SkinLine, 8u);
    EXPECT_EQ(first.CloseProgram, 1);
    EXPECT_TRUE(first.Enabled);
    EXPECT_EQ(read.Set.Rules[1].WindowClass, L"Edit*");
    EXPECT_FALSE(read.Set.Rules[1].Enabled);

    const RuleReading again = ReadRules(WriteRules(read.Set));
    EXPECT_TRUE(again.Problems.empty());
    EXPECT_EQ(again.Set.Rules, read.Set.Rules);
    EXPECT_EQ(again.Set.NeverFramed, read.Set.NeverFramed);
    EXPECT_EQ(again.Set.HotkeyText, read.Set.HotkeyText);
}

TEST(RuleFile, EachBadLineIsSkippedAndNamedAndTheRestWorks) {
    const RuleReading read = ReadRules(L"stray=1\n"       // 1: before any section
                                       L"[GLAZE]\n"       // 2
                                       L"HOTKEY=G\n"      // 3: no modifier
                                       L"[RULE1]\n"       // 4
                                       L"PROGRAM=a.exe\n" // 5
                                       L"PROGRAM=b.exe\n" // 6: said twice
                                       L"COLOUR=red\n"    // 7: unknown key
                                       L"just words\n"    // 8: no "="
                                       L"CLOSE=yes\n"     // 9: not 0 or 1
                                       L"SKIN=Jade\n"     // 10
                                       L"[RULE2]\n"       // 11: no SKIN
                                       L"PROGRAM=c.exe\n" // 12
                                       L"[OTHER]\n"       // 13: unknown section
                                       L"PROGRAM=d.exe\n" // 14: under it, not again
                                       L"[RULE3\n"        // 15: unclosed
                                       L"SKIN=Jade\n");   // 16
    std::vector<size_t> lines;
    for (const RuleProblem& problem : read.Problems) {
        lines.push_back(problem.Line);
    }
    EXPECT_EQ(lines, (std::vector<size_t>{1, 3, 6, 7, 8, 9, 11, 13, 15}));
    ASSERT_EQ(read.Set.Rules.size(), 1u);
    EXPECT_EQ(read.Set.Rules[0].Program, L"a.exe");
    EXPECT_EQ(read.Set.Rules[0].CloseProgram, 0);
    EXPECT_TRUE(read.Set.HotkeyText.empty());
    EXPECT_TRUE(ProblemsText(read.Problems).starts_with(L"第 1 行：")) << lines.size();
    EXPECT_EQ(ProblemsText({{9, L"b"}, {2, L"a"}}), L"第 2 行：a\r\n第 9 行：b\r\n");
}

TEST(RuleFile, RulesBeyondTheLimitAreSkippedAndSaid) {
    std::wstring text;
    for (size_t i = 0; i <= MaxRules; ++i) {
        text += L"[RULE]\nPROGRAM=*\nSKIN=Jade\n";
    }
    const RuleReading read = ReadRules(text);
    EXPECT_EQ(read.Set.Rules.size(), MaxRules);
    ASSERT_EQ(read.Problems.size(), 1u);
    EXPECT_EQ(read.Problems[0].Line, MaxRules * 3 + 1);
}

WindowFacts ShownWindow(std::wstring program, std::wstring windowClass, std::wstring title) {
    WindowFacts facts;
    facts.Program = std::move(program);
    facts.Class = std::move(windowClass);
    facts.Title = std::move(title);
    facts.Visible = true;
    facts.HasArea = true;
    return facts;
}

TEST(RuleMatch, OnlyPlainShownTitledWindowsOfOtherProgramsMayBeFramed) {
    const RuleSet rules = ReadRules(L"[GLAZE]\nNEVER=TASKMGR.exe\n").Set;
    const WindowFacts plain = ShownWindow(L"notepad.exe", L"Notepad", L"记事本");
    EXPECT_EQ(FrameVerdictFor(plain, rules), FrameVerdict::MayFrame);
    const auto verdictWith = [&](auto change) {
        WindowFacts facts = plain;
        change(facts);
        return FrameVerdictFor(facts, rules);
    };
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.Class = L"#32770"; }), FrameVerdict::Never);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.Class = L"IME"; }), FrameVerdict::Never);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.Owned = true; }), FrameVerdict::Never);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.Child = true; }), FrameVerdict::Never);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.ToolWindow = true; }), FrameVerdict::Never);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.OwnProcess = true; }), FrameVerdict::Never);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.Title = L"记事本 - 模拟Glaze窗体*"; }),
              FrameVerdict::Never);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.Visible = false; }), FrameVerdict::NotYet);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.HasArea = false; }), FrameVerdict::NotYet);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.Title.clear(); }), FrameVerdict::NotYet);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.Program = L"taskmgr.EXE"; }),
              FrameVerdict::Excluded);
}

TEST(RuleMatch, TheFirstEnabledRuleWhoseProgramClassAndTitleFitFramesTheWindow) {
    const RuleSet rules = ReadRules(L"[RULE1]\nPROGRAM=notepad.exe\nSKIN=A\nON=0\n"
                                    L"[RULE2]\nPROGRAM=NOTEPAD.EXE\nCLASS=notepad\nTITLE=*记事本\n"
                                    L"SKIN=B\n"
                                    L"[RULE3]\nPROGRAM=*\nTITLE=x*\nSKIN=C\n")
                              .Set;
    EXPECT_EQ(MatchingRule(rules, ShownWindow(L"notepad.exe", L"Notepad", L"无标题 - 记事本")),
              std::optional<size_t>(1));
    EXPECT_EQ(MatchingRule(rules, ShownWindow(L"notepad.exe", L"Notepad", L"x 记事本 X")),
              std::optional<size_t>(2));
    EXPECT_EQ(MatchingRule(rules, ShownWindow(L"notepad.exe", L"Other", L"记事本")), std::nullopt);
    EXPECT_EQ(MatchingRule(rules, ShownWindow(L"calc.exe", L"Notepad", L"X")), std::nullopt);
    EXPECT_TRUE(AnyRuleForProgram(rules, L"Notepad.exe"));
    EXPECT_FALSE(
        AnyRuleForProgram(ReadRules(L"[RULE]\nPROGRAM=a.exe\nSKIN=A\nON=0\n").Set, L"a.exe"));
}

TEST(HotkeyText, ReadsWhatPeopleWriteAndPrintsItOneWay) {
    const auto hotkey = ParseHotkey(L" alt + CTRL+g");
    ASSERT_TRUE(hotkey.has_value());
    EXPECT_EQ(hotkey->Modifiers, Hotkey::Ctrl | Hotkey::Alt);
    EXPECT_EQ(hotkey->Key, static_cast<uint32_t>('G'));
    EXPECT_EQ(HotkeyText(*hotkey), L"Ctrl+Alt+G");
    for (const std::wstring_view text : {L"Ctrl+Alt+G", L"Win+F12", L"Ctrl+Shift+PageDown",
                                         L"Alt+Insert", L"Ctrl+Alt+Shift+Win+7"}) {
        const auto read = ParseHotkey(text);
        ASSERT_TRUE(read.has_value()) << text.size();
        EXPECT_EQ(HotkeyText(*read), text);
    }
    EXPECT_EQ(ParseHotkey(L"Control+Ins")->Key, 0x2Du);
    for (const std::wstring_view bad :
         {L"", L"G", L"Shift+G", L"Ctrl+", L"Ctrl+G+H", L"Ctrl+Ctrl+G", L"Ctrl+F25", L"Ctrl+F0",
          L"Ctrl+Alt+é", L"Ctrl++G"}) {
        EXPECT_FALSE(ParseHotkey(bad).has_value()) << bad.size();
    }
}

TEST(LaunchQueue, AFewStartAtATimeInOrderAndEachWindowOnce) {
    LaunchQueue queue(2);
    for (WindowId window = 1; window <= 4; ++window) {
        EXPECT_TRUE(queue.Add({window, L"t", L"Jade", 0}));
    }
    EXPECT_FALSE(queue.Add({2, L"t", L"Jade", 0})) << "queued already";
    auto due = queue.Due();
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].Window, 1u);
    EXPECT_EQ(due[1].Window, 2u);
    EXPECT_TRUE(queue.Due().empty()) << "both places are taken";
    queue.Started(1);
    due = queue.Due();
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].Window, 3u);

    // A window framed once is not framed again by a rule, until a new window takes its handle;
    // the user may frame it again.
    EXPECT_FALSE(queue.Add({1, L"t", L"Jade", 0}));
    EXPECT_FALSE(queue.Add({3, L"t", L"Jade", 0}, true)) << "its frame is starting";
    EXPECT_TRUE(queue.Add({1, L"t", L"Jade", 0}, true));
    queue.NewWindow(9);
    queue.ForgetGone([](WindowId window) { return window == 1 || window == 2; });
    EXPECT_TRUE(queue.WasFramed(1)) << "waiting again";
    EXPECT_TRUE(queue.WasFramed(2)) << "still starting";
    queue.Started(2);
    queue.ForgetGone([](WindowId window) { return window == 2; });
    EXPECT_FALSE(queue.WasFramed(2));
    queue.NewWindow(3);
    EXPECT_TRUE(queue.WasFramed(3)) << "a starting frame's window keeps its record";
}

TEST(PendingWindows, LookedAtQuicklyThenSeldomThenGivenUp) {
    PendingWindows pending;
    EXPECT_TRUE(pending.Empty());
    pending.Add(7, 1000);
    pending.Add(8, 1500);
    pending.Add(7, 1900); // looked at again: as old as before
    EXPECT_EQ(pending.NextLookIn(1800), PendingWindows::QuickLook);
    EXPECT_EQ(pending.NextLookIn(2600), PendingWindows::SlowLook);
    EXPECT_EQ(pending.Due(2600), (std::vector<WindowId>{7, 8}));
    pending.Remove(8);
    EXPECT_TRUE(pending.Due(1000 + PendingWindows::GiveUpAfter).empty());
    EXPECT_TRUE(pending.Empty());
}

} // namespace
} // namespace glaze
