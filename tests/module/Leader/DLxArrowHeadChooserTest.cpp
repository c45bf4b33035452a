// The arrowhead chooser as a user drives it, and the arrowhead manipulator that opens it on a
// picked arrowhead of a placed symbol: what is listed and selected, who hears each change, and
// that only OK changes the document, with exactly one "AddArrowHead" request.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Leader/DLxSymArrowHeadDlgManipulator.h"
#include "Leader/DUxArrowHeadDialog.h"
#include "Request/DLxSymArrowHeadRequest.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "KorvuTestSupport.h"
#include "TstFrameDoc.h"
#include "WinMessageBox.h"
#include "du/DUxArrowHead.h"
#include "fw/FWxCommand.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxManipulator.h"
#include "utx/UTxString16.h"

namespace {

// All arrowhead services, category by category: 28000 arrows, 28013 marks, 28016 none,
// 28040 datum triangles.
const std::vector<uint32_t> kServices{28029, 28030, 28031, 28032, 28033, 28034, 28035, 28036};
constexpr uint32_t kNoService = 56460; // a service template that draws no arrowhead

// Installs a runner for the chooser's modal run while it lives.
struct Runner {
    explicit Runner(std::function<void(DUxArrowHeadDialog&)> play) {
        CDialog::SetModalRunner([play, this](CDialog& d) {
            ++runs;
            play(dynamic_cast<DUxArrowHeadDialog&>(d));
        });
    }
    ~Runner() { CDialog::SetModalRunner(nullptr); }
    int runs = 0;
};

// Hears the command form's notifications.
class Listener : public FWxCommand {
public:
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override {
        if (id != DUxArrowHeadDialog::kChoiceChanged || code != FWxCmd::kNotify) return false;
        heard.push_back(*static_cast<const uint32_t*>(extra));
        return true;
    }
    std::vector<uint32_t> heard;
};

class Recorder : public SMxManipulator {
public:
    bool CallBack(void* data) override {
        heard.push_back(*static_cast<const uint32_t*>(data));
        return true;
    }
    std::vector<uint32_t> heard;
};

} // namespace

TEST(ArrowHeadChooser, ListsTheServicesAndSelectsTheCurrentOne) {
    const struct {
        const char* name;
        uint32_t current, extra;
        std::vector<uint32_t> entries;
        int32_t selected;
        int32_t arrowType;
    } cases[] = {
        {"current listed", 28032, 0, kServices, 3, 4},
        {"no current", 0, 0, kServices, 0, 16},
        {"current not listed", kNoService, 0, kServices, 0, 16},
        // The extra entry goes after the first arrow; the later of two equal entries wins.
        {"extra beside a current one",
         28029,
         28029,
         {28029, 28029, 28030, 28031, 28032, 28033, 28034, 28035, 28036},
         1,
         16},
        {"extra standing in for no current",
         0,
         28035,
         {28035, 28029, 28030, 28031, 28032, 28033, 28034, 28035, 28036},
         0,
         16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Listener target;
        DUxArrowHeadDialog chooser(nullptr, 100, 40, c.current, &target, c.extra);
        Runner runner([&](DUxArrowHeadDialog& d) {
            EXPECT_EQ(d.GetEntries(), c.entries);
            EXPECT_EQ(d.GetList().GetCount(), int32_t(c.entries.size()));
            EXPECT_EQ(d.GetList().GetCurSel(), c.selected);
            EXPECT_EQ(d.GetArrowType(), c.arrowType);
            EXPECT_EQ(d.IsPlaceholder(), c.current == 0 && c.extra != 0);
            EXPECT_EQ(d.GetWindowX(), 110);
            EXPECT_EQ(d.GetWindowY(), 50);
            d.EndDialog(IDOK);
        });
        EXPECT_EQ(chooser.DoModal(), IDOK);
        EXPECT_EQ(runner.runs, 1);
        // Opening reports nothing.
        EXPECT_TRUE(target.heard.empty());
    }
}

TEST(ArrowHeadChooser, ThePlaceholderGoesWithTheFirstRealChoice) {
    Listener target;
    DUxArrowHeadDialog chooser(nullptr, 0, 0, 0, &target, 28035);
    Runner runner([&](DUxArrowHeadDialog& d) {
        d.ChooseItem(0); // the placeholder again: no change
        EXPECT_TRUE(target.heard.empty());
        d.ChooseItem(3); // 28031
        EXPECT_EQ(target.heard, std::vector<uint32_t>{28031});
        EXPECT_FALSE(d.IsPlaceholder());
        EXPECT_EQ(d.GetEntries().front(), 28029u);
        EXPECT_EQ(d.GetList().GetCount(), 8);
        EXPECT_EQ(d.GetList().GetCurSel(), 2);
        EXPECT_EQ(d.GetList().GetItemText(2), u"Open Arrow");
        d.ChooseItem(0); // now a real entry
        EXPECT_EQ(target.heard, (std::vector<uint32_t>{28031, 28029}));
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(chooser.DoModal(), IDOK);
    EXPECT_EQ(chooser.GetArrowType(), 16);
}

TEST(ArrowHeadChooser, AManipulatorHearsEveryChangeAndThePlaceholderStays) {
    Recorder manipulator;
    DUxArrowHeadDialog chooser(&manipulator, nullptr, 0, 0, 0, 28036);
    Runner runner([&](DUxArrowHeadDialog& d) {
        d.ChooseItem(5);
        d.ChooseItem(0);
        EXPECT_TRUE(d.IsPlaceholder());
        EXPECT_EQ(d.GetEntries().size(), kServices.size() + 1);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(chooser.DoModal(), IDCANCEL);
    EXPECT_EQ(manipulator.heard, (std::vector<uint32_t>{28033, 28036}));
    EXPECT_EQ(chooser.GetArrowType(), 21);
}

TEST(ArrowHeadChooser, ItemsPastFiftyAreDrawnWithoutPictureOrName) {
    DUxArrowHeadComboBox list;
    list.SetEntries(std::vector<uint32_t>(60, 28030));
    uint32_t bitmap = 0;
    std::u16string name;
    EXPECT_TRUE(list.GetItemDrawing(50, bitmap, name));
    EXPECT_EQ(name, u"Closed Arrow");
    EXPECT_NE(bitmap, 0u);
    EXPECT_FALSE(list.GetItemDrawing(51, bitmap, name));
    EXPECT_EQ(bitmap, 0u);
    EXPECT_TRUE(name.empty());
    EXPECT_EQ(list.MeasureItem(), 16);
}

// ---- the manipulator on a placed frame's arrowhead

class ArrowHeadManipulator : public ::testing::Test {
protected:
    void SetUp() override { mgr.ClearLines(); }
    void TearDown() override { mgr.ClearLines(); }
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
};

TEST_F(ArrowHeadManipulator, OkRequestsTheLastChoiceAndUndoesToTheBytesBefore) {
    const struct {
        const char* name;
        std::vector<int32_t> picks; // list items chosen in turn
        uint32_t expected;
    } cases[] = {
        {"no change: the arrowhead's own template again", {}, 28029},
        {"several choices: the last one", {2, 4, 6}, 28035},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mgr.ClearLines();
        TstFrameDoc d;
        const std::vector<uint8_t> before = d.Bytes();
        // A double-click near the arrowhead's tip.
        DLxGDTSelection selection(d.Frame(), {200.4, 150.2, 0});
        const auto picked = DLxSymArrowHeadDlgManipulator::ForPick(&selection, 1.0);
        ASSERT_NE(picked, nullptr);
        DLxSymArrowHeadDlgManipulator& m = *picked;
        EXPECT_EQ(m.GetLeaderIndex(), 0);
        Runner runner([&](DUxArrowHeadDialog& chooser) {
            for (int32_t item : c.picks) {
                chooser.ChooseItem(item);
                // Shown on the preview, not on the stored frame.
                RSeReadOnlyScope reading;
                auto* clone = dynamic_cast<DLxSymInstance*>(m.GetClonedInstance());
                ASSERT_NE(clone, nullptr);
                EXPECT_EQ(clone->GetArrowHeadRef(0, 0)->id, kServices[size_t(item)]);
            }
            EXPECT_EQ(d.Bytes(), before);
            chooser.EndDialog(IDOK);
        });
        EXPECT_TRUE(m.StartDialog());
        EXPECT_EQ(runner.runs, 1);
        EXPECT_EQ(m.GetClonedInstance(), nullptr);
        EXPECT_EQ(d.ArrowHead(), c.expected);
        ASSERT_EQ(mgr.GetLines().size(), 1u);
        const UTxString16 line = mgr.GetLines().back();

        TstFrameDoc direct;
        ASSERT_FALSE(direct.doc
                         ->ProcessChangeRequest(
                             new DLxSymArrowHeadRequest(direct.Ref(), c.expected, 0, 0))
                         .Failed());
        EXPECT_EQ(UTx::ToUtf8(mgr.GetLines().back()), UTx::ToUtf8(line));
        EXPECT_EQ(direct.Bytes(), d.Bytes());

        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
}

TEST_F(ArrowHeadManipulator, CancelAfterPreviewsLeavesDocumentAndGraphicsAsTheyWere) {
    TstFrameDoc d;
    const std::vector<uint8_t> before = d.Bytes();
    const std::vector<std::string> drawn = KorvuDescribe(*d.Frame()->GetSheetDisplayList());
    DLxSymArrowHeadDlgManipulator m(d.Ref(), 0, 0, nullptr);
    Runner runner([&](DUxArrowHeadDialog& chooser) {
        chooser.ChooseItem(3);
        chooser.ChooseItem(5); // no arrowhead at all
        EXPECT_NE(KorvuDescribe(*m.GetPreviewDisplayList()), drawn);
        chooser.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(m.StartDialog());
    EXPECT_EQ(m.GetChosenTemplate(), 28034u);
    EXPECT_EQ(d.Bytes(), before);
    EXPECT_TRUE(mgr.GetLines().empty());
    EXPECT_EQ(d.doc->GetUndoDepth(), 1u);
    EXPECT_EQ(KorvuDescribe(*d.Frame()->GetSheetDisplayList()), drawn);
    EXPECT_EQ(m.GetClonedInstance(), nullptr);
}

TEST_F(ArrowHeadManipulator, AChoiceThatIsNoArrowheadIsShownAndRequestedAsTheDefault) {
    TstFrameDoc d;
    DLxSymArrowHeadDlgManipulator m(d.Ref(), 0, 0, nullptr);
    Runner runner([&](DUxArrowHeadDialog& chooser) {
        chooser.ChooseItem(1); // closed arrow first, so that the default is a change
        uint32_t other = kNoService;
        m.CallBack(&other);
        RSeReadOnlyScope reading;
        EXPECT_EQ(dynamic_cast<DLxSymInstance*>(m.GetClonedInstance())->GetArrowHeadRef(0, 0)->id,
                  28029u);
        chooser.EndDialog(IDOK);
    });
    EXPECT_TRUE(m.StartDialog());
    EXPECT_EQ(d.ArrowHead(), 28029u);
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    EXPECT_NE(UTx::ToUtf8(mgr.GetLines().back()).find("ArrowHead=28029"), std::string::npos);
}

TEST_F(ArrowHeadManipulator, RefusalsOpenNoChooser) {
    TstFrameDoc d;
    // A pick on the frame away from its arrowhead gets no arrowhead manipulator.
    DLxGDTSelection away(d.Frame(), {220, 190, 0});
    EXPECT_EQ(DLxSymArrowHeadDlgManipulator::ForPick(&away, 1.0), nullptr);
    const std::vector<uint8_t> before = d.Bytes();
    Runner runner([](DUxArrowHeadDialog& chooser) { chooser.EndDialog(IDOK); });
    d.doc->locked = true;
    DLxSymArrowHeadDlgManipulator locked(d.Ref(), 0, 0, nullptr);
    EXPECT_TRUE(locked.StartDialog());
    d.doc->locked = false;
    // An arrowhead the leader does not have, and a leader the frame does not have.
    DLxSymArrowHeadDlgManipulator noArrow(d.Ref(), 0, 3, nullptr);
    EXPECT_FALSE(noArrow.StartDialog());
    DLxSymArrowHeadDlgManipulator noLeader(d.Ref(), 2, 0, nullptr);
    EXPECT_FALSE(noLeader.StartDialog());
    EXPECT_EQ(runner.runs, 0);
    EXPECT_EQ(d.Bytes(), before);
    EXPECT_TRUE(mgr.GetLines().empty());
}
