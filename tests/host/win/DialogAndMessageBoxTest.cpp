// Headless message boxes and modal dialogs: the answers a driver queued are taken in order,
// a box with no answer waiting answers as a user who closes it, and a modal run ends with what
// its runner chose.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CDialog.h"
#include "WinMessageBox.h"

namespace {

TEST(WinMessageBox, QueuedAnswersInOrderThenTheClosingAnswerOfEachKind) {
    WinMessageBoxes::Reset();
    WinMessageBoxes::QueueAnswer(IDYES);
    WinMessageBoxes::QueueAnswer(IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, u"first", u"T", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, u"second", u"T", MB_OKCANCEL), IDCANCEL);
    struct Case {
        uint32_t type;
        int32_t answer;
    };
    const Case unanswered[] = {{MB_OK, IDOK},
                               {MB_OK | MB_ICONEXCLAMATION, IDOK},
                               {MB_OKCANCEL, IDCANCEL},
                               {MB_YESNO, IDNO},
                               {MB_YESNOCANCEL, IDCANCEL}};
    for (const Case& c : unanswered) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(MessageBoxW(nullptr, u"x", nullptr, c.type), c.answer);
    }
    const auto& shown = WinMessageBoxes::GetShown();
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_EQ(shown[0].text, u"first");
    EXPECT_EQ(shown[1].text, u"second");
    EXPECT_EQ(shown[1].answer, IDCANCEL);
    EXPECT_EQ(shown[2].caption, u"");
    EXPECT_EQ(WinMessageBoxes::PendingAnswers(), 0u);

    // Reset drops answers nobody took, so that they cannot leak into the next driver.
    WinMessageBoxes::QueueAnswer(IDYES);
    WinMessageBoxes::Reset();
    EXPECT_EQ(MessageBoxW(nullptr, u"y", u"T", MB_YESNO), IDNO);
    WinMessageBoxes::Reset();
}

class Probe : public CDialog {
public:
    Probe() : CDialog(100) {}
    bool OnInitDialog() override {
        events.push_back("init");
        return initOk;
    }
    void OnDestroy() override { events.push_back(HasWindow() ? "destroy" : "destroy without window"); }
    void PostNcDestroy() override { events.push_back("post"); }
    bool initOk = true;
    std::vector<std::string> events;
};

TEST(CDialog, AModalRunEndsWithTheRunnersChoiceOrCancelWithoutOne) {
    struct Case {
        const char* name;
        CDialog::ModalRunner runner;
        bool initOk;
        int32_t result;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"no runner", nullptr, true, IDCANCEL, {"init", "destroy", "post"}},
        {"OK", [](CDialog& d) { d.OnOK(); }, true, IDOK, {"init", "ran", "destroy", "post"}},
        {"a code of its own", [](CDialog& d) { d.EndDialog(7); }, true, 7,
         {"init", "ran", "destroy", "post"}},
        {"left open", [](CDialog&) {}, true, IDCANCEL, {"init", "ran", "destroy", "post"}},
        {"refused by its initialisation", [](CDialog& d) { d.OnOK(); }, false, IDCANCEL,
         {"init", "destroy", "post"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Probe dlg;
        dlg.initOk = c.initOk;
        CDialog::ModalRunner runner;
        if (c.runner)
            runner = [&](CDialog& d) {
                static_cast<Probe&>(d).events.push_back("ran");
                EXPECT_TRUE(d.HasWindow());
                c.runner(d);
            };
        CDialog::SetModalRunner(runner);
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_EQ(dlg.events, c.events);
        EXPECT_FALSE(dlg.HasWindow());
    }
    // A runner may run a nested dialog with a runner of its own and put its own back.
    Probe outer, inner;
    CDialog::SetModalRunner([&](CDialog& d) {
        auto previous = CDialog::SetModalRunner([](CDialog& n) { n.EndDialog(IDOK); });
        EXPECT_EQ(inner.DoModal(), IDOK);
        CDialog::SetModalRunner(previous);
        d.EndDialog(3);
    });
    EXPECT_EQ(outer.DoModal(), 3);
    CDialog::SetModalRunner(nullptr);
}

} // namespace
