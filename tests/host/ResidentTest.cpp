#include "Latin1CodePage.h"
#include "resident/FileText.h"
#include "resident/HotkeyText.h"
#include "resident/LaunchQueue.h"
#include "resident/Pattern.h"
#include "resident/RuleEdits.h"
#include "resident/RuleFile.h"
#include "resident/RuleMatch.h"

#include <gtest/gtest.h>

namespace glaze {
namespace {

using namespace std::literals;

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
                                         L"ON=0\n"
                                         L"TOPMOST=1\n"
                                         L"OPACITY=85\n";

TEST(RuleFile, ReadsTheRulesAndWritesThemBackTheSame) {
    const RuleReading read = ReadRules(SampleFile);
    EXPECT_TRUE(read.Problems.Empty()) << ProblemsText(read.Problems).size();
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
    EXPECT_TRUE(read.Set.Rules[1].OnTop);
    EXPECT_EQ(read.Set.Rules[1].Opacity, 85);

    const RuleReading again = ReadRules(WriteRules(read.Set));
    EXPECT_TRUE(again.Problems.Empty());
    EXPECT_EQ(again.Set.Rules, read.Set.Rules);
    EXPECT_EQ(again.Set.NeverFramed, read.Set.NeverFramed);
    EXPECT_EQ(again.Set.HotkeyText, read.Set.HotkeyText);
}

TEST(RuleFile, EachBadLineIsSkippedAndNamedAndTheRestWorks) {
    const RuleReading read = ReadRules(L"stray=1\n"         // 1: before any section
                                       L"[GLAZE]\n"         // 2
                                       L"HOTKEY=G\n"        // 3: no modifier
                                       L"[RULE1]\n"         // 4
                                       L"PROGRAM=a.exe\n"   // 5
                                       L"PROGRAM=b.exe\n"   // 6: said twice
                                       L"COLOUR=red\n"      // 7: unknown key
                                       L"just words\n"      // 8: no "="
                                       L"CLOSE=yes\n"       // 9: not 0 or 1
                                       L"SKIN=Jade\n"       // 10
                                       L"[RULE2]\n"         // 11: no SKIN
                                       L"PROGRAM=c.exe\n"   // 12
                                       L"[OTHER]\n"         // 13: unknown section
                                       L"PROGRAM=d.exe\n"   // 14: under it, not again
                                       L"[RULE3\n"          // 15: unclosed
                                       L"SKIN=Jade\n"       // 16
                                       L"[glaze]\n"         // 17: a second one
                                       L"[RULE4]\n"         // 18
                                       L"PROGRAM=e\0.exe\n" // 19: a NUL
                                       L"OPACITY=59\n"      // 20: below 60
                                       L"TOPMOST=2\n"sv);   // 21
    std::vector<size_t> lines;
    for (const RuleProblem& problem : read.Problems.Named()) {
        lines.push_back(problem.Line);
    }
    EXPECT_EQ(lines, (std::vector<size_t>{1, 3, 6, 7, 8, 9, 11, 13, 15, 17, 18, 19, 20, 21}));
    ASSERT_EQ(read.Set.Rules.size(), 1u);
    EXPECT_EQ(read.Set.Rules[0].Program, L"a.exe");
    EXPECT_EQ(read.Set.Rules[0].CloseProgram, 0);
    EXPECT_TRUE(read.Set.HotkeyText.empty());
    EXPECT_TRUE(ProblemsText(read.Problems).starts_with(L"第 1 行：")) << lines.size();
}

TEST(RuleFile, AFileOfJunkIsReportedBoundedTheFirstLinesNamedTheRestCounted) {
    std::wstring junk;
    for (int line = 0; line < 250; ++line) {
        junk += L"junk\r\n";
    }
    const RuleReading read = ReadRules(junk);
    EXPECT_EQ(read.Problems.Count(), 250u);
    ASSERT_EQ(read.Problems.Named().size(), RuleProblems::MostNamed);
    EXPECT_EQ(read.Problems.Named().back().Line, RuleProblems::MostNamed);
    RuleProblems problems = read.Problems;
    problems.Add({3, L"早"}); // an earlier line still gets named, a later one gives way
    EXPECT_EQ(problems.Named()[3].Why, L"早");
    EXPECT_EQ(problems.Named().back().Line, RuleProblems::MostNamed - 1);
    EXPECT_TRUE(ProblemsText(problems).ends_with(L"……另有 151 处无法使用，未一一列出\r\n"));
}

TEST(RuleFile, RulesBeyondTheLimitAreSkippedAndSaid) {
    std::wstring text;
    for (size_t i = 0; i <= MaxRules; ++i) {
        text += L"[RULE]\nPROGRAM=*\nSKIN=Jade\n";
    }
    const RuleReading read = ReadRules(text);
    EXPECT_EQ(read.Set.Rules.size(), MaxRules);
    ASSERT_EQ(read.Problems.Count(), 1u);
    EXPECT_EQ(read.Problems.Named()[0].Line, MaxRules * 3 + 1);
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

TEST(RuleMatch, OnlyShownTitledMainWindowsOfOtherProgramsMayBeFramed) {
    const RuleSet rules = ReadRules(L"[GLAZE]\nNEVER=TASKMGR.exe\n").Set;
    const WindowFacts plain = ShownWindow(L"notepad.exe", L"Notepad", L"记事本");
    EXPECT_EQ(FrameVerdictFor(plain, rules), FrameVerdict::MayFrame);
    const auto verdictWith = [&](auto change) {
        WindowFacts facts = plain;
        change(facts);
        return FrameVerdictFor(facts, rules);
    };
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.Class = L"IME"; }), FrameVerdict::Never);
    EXPECT_EQ(verdictWith([](WindowFacts& w) { w.Class = L"Progman"; }), FrameVerdict::Never)
        << "the desktop";
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

TEST(RuleMatch, AWindowWithATaskbarButtonIsAProgramWindowAndAnOwnedDialogNever) {
    const auto programWindow = [](auto change) {
        WindowFacts facts = ShownWindow(L"vb6.exe", L"ThunderRT6FormDC", L"工具");
        facts.Owned = true;
        change(facts);
        return IsProgramWindow(facts);
    };
    // Owned by its program's hidden application window (VB6, older Delphi), or marked for the
    // taskbar: the window people use. Owned by a shown window: a dialog or a palette.
    EXPECT_TRUE(programWindow([](WindowFacts& w) { w.OwnerIsHiddenAppWindow = true; }));
    EXPECT_TRUE(programWindow([](WindowFacts& w) { w.AppWindow = true; }));
    EXPECT_FALSE(programWindow([](WindowFacts&) {}));
    EXPECT_FALSE(programWindow(
        [](WindowFacts& w) { w.OwnerIsHiddenAppWindow = w.AppWindow = w.ToolWindow = true; }));
    EXPECT_FALSE(programWindow([](WindowFacts& w) {
        w.Class = L"#32770"; // its message box
        w.OwnerIsHiddenAppWindow = w.AppWindow = true;
    }));

    // A program made of one dialog: framed by a rule naming it exactly, never by a wildcard.
    WindowFacts dialog = ShownWindow(L"Setup.exe", L"#32770", L"安装");
    EXPECT_TRUE(IsProgramWindow(dialog));
    EXPECT_EQ(FrameVerdictFor(dialog, {}), FrameVerdict::MayFrame);
    const RuleSet rules =
        ReadRules(L"[RULE1]\nPROGRAM=*.exe\nSKIN=A\n[RULE2]\nPROGRAM=setup.EXE\nSKIN=B\n").Set;
    EXPECT_EQ(MatchingRule(rules, dialog), std::optional<size_t>(1));
    dialog.Program = L"other.exe";
    EXPECT_EQ(MatchingRule(rules, dialog), std::nullopt);
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
        EXPECT_EQ(queue.Add({window, L"t", L"Jade", 0}), LaunchQueue::Added::Queued);
    }
    EXPECT_EQ(queue.Add({2, L"t", L"Jade", 0}), LaunchQueue::Added::Known) << "queued already";
    auto due = queue.Due();
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].Window, 1u);
    EXPECT_EQ(due[1].Window, 2u);
    EXPECT_TRUE(queue.Due().empty()) << "both places are taken";
    queue.Started(1, false);
    due = queue.Due();
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].Window, 3u);

    // A window framed once is not framed again by a rule, until a new window takes its handle;
    // the user may frame it again.
    EXPECT_EQ(queue.Add({1, L"t", L"Jade", 0}), LaunchQueue::Added::Known);
    EXPECT_EQ(queue.Add({3, L"t", L"Jade", 0}, true), LaunchQueue::Added::Known)
        << "its frame is starting";
    EXPECT_EQ(queue.Add({1, L"t", L"Jade", 0}, true), LaunchQueue::Added::Queued);
    queue.NewWindow(9);
    queue.ForgetGone([](WindowId window) { return window == 1 || window == 2; });
    EXPECT_TRUE(queue.WasFramed(1)) << "waiting again";
    EXPECT_TRUE(queue.WasFramed(2)) << "still starting";
    queue.Started(2, false);
    queue.ForgetGone([](WindowId window) { return window == 2; });
    EXPECT_FALSE(queue.WasFramed(2));
    queue.NewWindow(3);
    EXPECT_TRUE(queue.WasFramed(3)) << "a starting frame's window keeps its record";
}

TEST(LaunchQueue, NoMoreThanTheSetNumberLiveAsManyWaitAndTheRestAreSkippedInOneNote) {
    LaunchQueue queue(3, 2);
    SkipNotes notes;
    for (WindowId window = 1; window <= 6; ++window) {
        const auto added = queue.Add({window, L"t", L"Jade", 0});
        if (added == LaunchQueue::Added::Full) {
            notes.NoPlace(100 * window);
        }
        EXPECT_EQ(added, window <= 4 ? LaunchQueue::Added::Queued : LaunchQueue::Added::Full);
        EXPECT_EQ(queue.Due().size(), window <= 2 ? 1u : 0u) << "two may live";
    }
    queue.Started(1, true);
    queue.Started(2, false); // its start failed: the place is free again
    ASSERT_EQ(queue.Due().size(), 1u);
    queue.Started(3, true);
    EXPECT_TRUE(queue.Full());
    EXPECT_TRUE(queue.Due().empty());
    EXPECT_EQ(queue.Add({9, L"hotkey", L"", 0}, true), LaunchQueue::Added::Queued);
    queue.Ended(1);
    const auto due = queue.Due();
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].Window, 9u) << "the one the user asked for first";

    // Paused: the waiting window is dropped, and may be framed later.
    queue.ClearWaiting();
    EXPECT_EQ(queue.Waiting(), 0u);
    EXPECT_FALSE(queue.WasFramed(4));
    EXPECT_TRUE(queue.WasFramed(3));

    // One note for the burst, once it has been quiet for a moment, and then no more.
    notes.Failed(L"无法为“a”加框，已跳过。", 600);
    notes.Failed(L"无法为“b”加框，已跳过。", 700);
    EXPECT_FALSE(notes.Take(700 + SkipNotes::Quiet - 1, 2, 1).has_value());
    EXPECT_EQ(notes.Take(700 + SkipNotes::Quiet, 2, 1),
              L"无法为“a”加框，已跳过。另有 1 个窗口也未能加框。"
              L"同时运行的框架已达上限（2 个），2 个窗口未加框，1 个在等候。");
    EXPECT_FALSE(notes.Take(10000, 2, 1).has_value());
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

using test::FromLatin1;
using test::ToLatin1;

TEST(FileText, EachFormIsKnownByItsMarkOrItsBytesAndChineseRoundTripsInEach) {
    const std::wstring text = L"[RULE1]\r\nTITLE=*记事本 \U0001F600\r\n"; // and one pair
    for (const TextForm form :
         {TextForm::Utf8, TextForm::Utf8WithMark, TextForm::Utf16Le, TextForm::Utf16Be}) {
        const FileBytes written = WriteFileText(text, form, ToLatin1);
        EXPECT_EQ(written.Form, form);
        const FileText read = ReadFileText(written.Bytes, FromLatin1);
        EXPECT_EQ(read.Form, form);
        EXPECT_EQ(read.Text, text);
        EXPECT_EQ(read.BadLineCount, 0u);
    }
    EXPECT_EQ(WriteFileText(L"a记", TextForm::Utf16Be, ToLatin1).Bytes, "\xFE\xFF\x00"
                                                                        "a\x8B\xB0"s);
    EXPECT_EQ(WriteFileText(L"a记", TextForm::Utf16Le, ToLatin1).Bytes, "\xFF\xFE"
                                                                        "a\x00\xB0\x8B"s);
    EXPECT_EQ(WriteFileText(L"a记", TextForm::Utf8WithMark, ToLatin1).Bytes, "\xEF\xBB\xBF"
                                                                             "a\xE8\xAE\xB0");
    // Without a mark: UTF-8 when the bytes are that, else the code page.
    EXPECT_EQ(ReadFileText("a\xE8\xAE\xB0", FromLatin1).Form, TextForm::Utf8);
    const FileText latin = ReadFileText("caf\xE9", FromLatin1);
    EXPECT_EQ(latin.Form, TextForm::Ansi);
    EXPECT_EQ(latin.Text, L"caf\xE9");
    EXPECT_EQ(ReadFileText("PROGRAM=a.exe", FromLatin1).Form, TextForm::Ascii);
}

TEST(FileText, TextItsFormCannotHoldIsWrittenAsANewFileAndBadBytesAreNamedByLine) {
    // Chinese given to a file of the code page, or of ASCII: UTF-8 with its mark, never "?".
    EXPECT_EQ(WriteFileText(L"caf\xE9", TextForm::Ansi, ToLatin1).Bytes, "caf\xE9");
    const FileBytes chinese = WriteFileText(L"*记事本", TextForm::Ansi, ToLatin1);
    EXPECT_EQ(chinese.Form, TextForm::Utf8WithMark);
    EXPECT_EQ(ReadFileText(chinese.Bytes, FromLatin1).Text, L"*记事本");
    EXPECT_EQ(WriteFileText(L"abc", TextForm::Ascii, ToLatin1).Bytes, "abc");
    EXPECT_EQ(WriteFileText(L"记", TextForm::Ascii, ToLatin1).Form, TextForm::Utf8WithMark);

    // A mark and then bytes of no character: an overlong form, a sequence cut short.
    const FileText bad = ReadFileText("\xEF\xBB\xBF"
                                      "a\r\nb\xFF\r\nc\n\xC0\x80\rd\xE8\xAE",
                                      FromLatin1);
    EXPECT_EQ(bad.BadLines, (std::vector<size_t>{2, 4, 5}));
    EXPECT_EQ(bad.BadLineCount, 3u);
    EXPECT_EQ(bad.Text.substr(0, 6), L"a\r\nb\uFFFD\r");
    // UTF-16 with half a pair and half a unit.
    const FileText cut = ReadFileText("\xFF\xFE"
                                      "a\x00\x00\xD8"
                                      "b\x00"
                                      "c"s,
                                      FromLatin1);
    EXPECT_EQ(cut.Text, L"a\uFFFDb\uFFFD");
    EXPECT_EQ(cut.BadLines, (std::vector<size_t>{1}));
}

TEST(RuleEdits, SavingChangesOnlyWhatWasEditedAndKeepsWhatPeopleWrote) {
    // What stays as it was, around what changes.
    const std::wstring head = L"; my rules, kept by hand\n"
                              L"[Glaze]\n"
                              L"hotkey = ctrl+alt+g\n";
    const std::wstring notepad = L"\n"
                                 L"# notepad in jade\n"
                                 L"[RULE notepad]\n"
                                 L"PROGRAM=notepad.exe\n"
                                 L"TITLE=\" *记事本\"\n"
                                 L"COLOUR=red ; unknown, kept\n";
    const std::wstring text = head + notepad +
                              L"SKIN=Jade\n"
                              L"\n"
                              L"; calculators\n"
                              L"[RULE7]\n"
                              L"PROGRAM=calc*.exe\n"
                              L"SKIN=Aurora";
    const RuleSet read = ReadRules(text).Set;
    ASSERT_EQ(read.Rules.size(), 2u);
    EXPECT_EQ(EditRulesText(text, read, read), text) << "nothing edited, nothing changed";

    RuleSet edited = read;
    edited.HotkeyText = L"Ctrl+Alt+G"; // the same hotkey, written otherwise
    edited.NeverFramed = {L"explorer.exe"};
    edited.Rules[0].Skin = L"Aurora";
    edited.Rules[0].OnTop = true;
    edited.Rules.erase(edited.Rules.begin() + 1);
    Rule added;
    added.Program = L"新程序.exe";
    added.Skin = L"Jade";
    edited.Rules.push_back(added);
    const std::wstring saved = EditRulesText(text, read, edited);
    EXPECT_EQ(saved, head + L"NEVER=explorer.exe\n" + notepad +
                         L"SKIN=Aurora\n"
                         L"TOPMOST=1\n"
                         L"\n"
                         L"; calculators\n"
                         L"\n"
                         L"[RULE8]\n"
                         L"PROGRAM=新程序.exe\n"
                         L"SKIN=Jade\n"
                         L"CLOSE=0\n"
                         L"ON=1\n");
    EXPECT_EQ(ReadRules(saved).Set.Rules, edited.Rules);

    // A file without a [GLAZE] section gets one at its top when a key of it changes.
    const std::wstring bare = L"[RULE1]\r\nPROGRAM=a.exe\r\nSKIN=Jade\r\n";
    RuleSet hotkey = ReadRules(bare).Set;
    hotkey.HotkeyText = L"Ctrl+Alt+H";
    EXPECT_EQ(EditRulesText(bare, ReadRules(bare).Set, hotkey),
              L"[GLAZE]\r\nHOTKEY=Ctrl+Alt+H\r\n\r\n" + bare);
}

} // namespace
} // namespace glaze
