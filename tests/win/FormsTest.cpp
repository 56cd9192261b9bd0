#include "platform/Forms.h"

#include "TestSupport.h"
#include "platform/WorkingSet.h"
#include "platform/UnloadAll.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace glaze {
namespace {

// A form that records what it lives through; tests may add behaviour to its unload.
class RecordingForm : public Form {
public:
    RecordingForm(std::string name, std::vector<std::string>& log)
        : Form(L"模拟Glaze窗体*"), name_(std::move(name)), log_(log) {}

    bool refuseUnload = false;
    std::function<void()> duringUnload;

protected:
    void OnLoad() override { Record("load"); }
    bool OnQueryUnload() override {
        Record("query-unload");
        return !refuseUnload;
    }
    void OnUnload() override {
        Record("unload");
        if (duringUnload) {
            duringUnload();
        }
    }

private:
    void Record(const char* what) {
        log_.push_back(name_ + " " + what);
        std::fprintf(stderr, "%s %s\n", name_.c_str(), what);
    }
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(Forms, LoadRunsOnLoadOnceAndListsFormsInLoadOrder) {
    std::vector<std::string> log;
    RecordingForm frame("frame", log), content("content", log);
    frame.Load();
    content.Load();
    frame.Load();
    EXPECT_EQ(log, (std::vector<std::string>{"frame load", "content load"}));
    EXPECT_EQ(LoadedForms(), (std::vector<Form*>{&frame, &content}));
    // Both forms share one window class, and so one original window procedure.
    EXPECT_EQ(GetWindowLongPtrA(frame.Hwnd(), GWLP_WNDPROC),
              GetWindowLongPtrA(content.Hwnd(), GWLP_WNDPROC));
}

TEST(Forms, UnloadRunsQueryUnloadThenUnloadThenTheWindowGoes) {
    std::vector<std::string> log;
    RecordingForm form("form", log);
    form.Load();
    HWND window = form.Hwnd();
    EXPECT_TRUE(form.Unload());
    EXPECT_EQ(log, (std::vector<std::string>{"form load", "form query-unload", "form unload"}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(LoadedForms().empty());
    EXPECT_FALSE(form.Unload());
}

TEST(Forms, ARefusedUnloadKeepsTheForm) {
    std::vector<std::string> log;
    RecordingForm form("form", log);
    form.Load();
    form.refuseUnload = true;
    EXPECT_FALSE(form.Unload());
    EXPECT_TRUE(IsWindow(form.Hwnd()));
    EXPECT_EQ(LoadedForms().size(), 1u);
    EXPECT_EQ(log.back(), "form query-unload");
}

TEST(Forms, ClosingTheWindowUnloadsTheForm) {
    std::vector<std::string> log;
    RecordingForm form("form", log);
    form.Load();
    SendMessageA(form.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(log.back(), "form unload");
}

TEST(Forms, AWindowDestroyedByThePlatformIsNoLongerLoaded) {
    std::vector<std::string> log;
    RecordingForm form("form", log);
    form.Load();
    DestroyWindow(form.Hwnd());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(UnloadAllForms, FromTheFramesOwnUnloadUnloadsTheContentAndReturns) {
    std::vector<std::string> log;
    RecordingForm frame("frame", log), content("content", log);
    frame.Load();
    content.Load();
    bool returned = false;
    frame.duringUnload = [&] {
        UnloadAllForms(false);
        returned = true;
        EXPECT_TRUE(frame.IsLoaded()); // its own unload is still under way
    };
    frame.Unload();
    EXPECT_TRUE(returned);
    EXPECT_EQ(log,
              (std::vector<std::string>{"frame load", "content load", "frame query-unload",
                                        "frame unload", "content query-unload", "content unload"}));
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(UnloadAllForms, StopsAtAFormThatStays) {
    std::vector<std::string> log;
    RecordingForm first("first", log), second("second", log), third("third", log);
    first.Load();
    second.Load();
    third.Load();
    second.refuseUnload = true;
    EXPECT_EXIT(
        {
            UnloadAllForms(false);
            std::fprintf(stderr, "returned\n");
            std::exit(7);
        },
        ::testing::ExitedWithCode(7),
        "third query-unload\nthird unload\nsecond query-unload\nreturned");
    EXPECT_TRUE(first.IsLoaded());
}

TEST(UnloadAllForms, ForcedItEndsTheProcessAfterUnloadingEveryForm) {
    std::vector<std::string> log;
    RecordingForm frame("frame", log), content("content", log);
    frame.Load();
    content.Load();
    frame.duringUnload = [] {
        UnloadAllForms(true);
        std::fprintf(stderr, "not ended\n");
    };
    EXPECT_EXIT(
        {
            UnloadAllForms(true);
            std::fprintf(stderr, "not ended\n");
        },
        ::testing::ExitedWithCode(0),
        "content query-unload\ncontent unload\nframe query-unload\nframe unload\n$");
}

TEST(TrimWorkingSet, LeavesTheProcessRunning) {
    std::vector<char> touched(8 << 20, 1);
    TrimWorkingSet();
    EXPECT_EQ(touched[touched.size() - 1], 1);
}

} // namespace
} // namespace glaze
