// What the drafting utilities keep per document (line styles, standards) belongs to that
// document: line styles are stored, saved and undone with it; standards are made for it and
// released with it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "TstStoredClasses.h"
#include "du/DUxCategoryDefault.h"
#include "du/DUxLineStyle.h"
#include "du/DUxStandard.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"

namespace {

class RunRequest : public FWxChangeRequest {
public:
    explicit RunRequest(std::function<void()> body) : m_body(std::move(body)) {}
    UTxResult Script(FWxSceneDoc*) override { return {}; }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange&) override { return {}; }
    UTxResult _Execute(FWxSceneDoc*) override {
        m_body();
        return {};
    }

private:
    std::function<void()> m_body;
};

std::vector<uint8_t> Bytes(FWxSceneDoc& doc) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(out).Failed());
    return out;
}

const UTxGUID& Ansi() {
    return DUxStandardGUID::GetANSIGuid();
}

struct LineStyleDoc : ::testing::Test {
    FWxSceneDoc doc;
    RSeRef<TstZero> object{TstNew<TstZero>(RSe::SegmentOf(doc.GetRSeDb()))};
    const int32_t symbol = DUxLineStyleID::GetSymbolID();
    const DUxLineStyle pen{SMxColor::FromIndex(3), 50, 2};
    const DUxLineStyle ownPen{SMxColor::FromRgba(10, 20, 30), 18, 1};

    void Run(std::function<void()> body) {
        ASSERT_FALSE(doc.ProcessChangeRequest(new RunRequest(std::move(body))).Failed());
    }
    DUxLineStyle Own(FWxSceneDoc* d, const RSeIDed* o) {
        DUxLineStyle style;
        return DUxLineStyleUtil::GetOverloadedLineStyle(o, d, style) ? style : DUxLineStyle();
    }
};

TEST_F(LineStyleDoc, StylesAreSavedWithTheDocumentAndNotSharedWithAnother) {
    FWxSceneDoc other;
    Run([&] {
        DUxLineStyleUtil::SetStyle(&doc, symbol, Ansi(), pen);
        DUxLineStyleUtil::SetOverloadedLineStyle(object.get(), &doc, ownPen);
    });
    EXPECT_EQ(DUxLineStyleUtil::GetStyle(&doc, symbol, Ansi()), pen);
    EXPECT_EQ(DUxLineStyleUtil::GetStyle(&doc, symbol, DUxStandardGUID::GetISOGuid()),
              DUxLineStyle());
    EXPECT_EQ(Own(&doc, object.get()), ownPen);
    EXPECT_EQ(DUxLineStyleUtil::GetStyle(&other, symbol, Ansi()), DUxLineStyle());

    const std::vector<uint8_t> saved = Bytes(doc);
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), db).Failed());
    FWxSceneDoc loaded(std::move(db));
    EXPECT_EQ(DUxLineStyleUtil::GetStyle(&loaded, symbol, Ansi()), pen);
    EXPECT_EQ(Own(&loaded, loaded.GetRSeDb()->FindObject(object.GetId())), ownPen);
    EXPECT_EQ(Bytes(loaded), saved);
}

TEST_F(LineStyleDoc, SettingAStyleIsUndoneAndRedone) {
    const std::vector<uint8_t> before = Bytes(doc);
    Run([&] { DUxLineStyleUtil::SetStyle(&doc, symbol, Ansi(), pen); });
    const std::vector<uint8_t> first = Bytes(doc);
    Run([&] {
        DUxLineStyleUtil::SetStyle(&doc, symbol, Ansi(), ownPen);
        DUxLineStyleUtil::SetOverloadedLineStyle(object.get(), &doc, pen);
    });
    EXPECT_EQ(DUxLineStyleUtil::GetStyle(&doc, symbol, Ansi()), ownPen);

    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(DUxLineStyleUtil::GetStyle(&doc, symbol, Ansi()), pen);
    EXPECT_EQ(Own(&doc, object.get()), DUxLineStyle());
    EXPECT_EQ(Bytes(doc), first);
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(DUxLineStyleUtil::GetStyle(&doc, symbol, Ansi()), DUxLineStyle());
    EXPECT_EQ(Bytes(doc), before);

    ASSERT_FALSE(doc.Redo().Failed());
    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_EQ(DUxLineStyleUtil::GetStyle(&doc, symbol, Ansi()), ownPen);
    EXPECT_EQ(Own(&doc, object.get()), pen);
    Run([&] { DUxLineStyleUtil::ClearOverloadedLineStyle(object.get(), &doc); });
    EXPECT_EQ(Own(&doc, object.get()), DUxLineStyle());
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(Own(&doc, object.get()), pen);
}

// Counts the data released with its document.
int g_released = 0;
struct CountedData : FWxDocData {
    ~CountedData() override { ++g_released; }
};
const char kCountedKey = 0;

RSeRef<DUxCategoryDefault> MakeDefault(FWxSceneDoc* doc, RSeSegment* seg, int32_t cat,
                                       const UTxGUID& g) {
    return RSeRef<DUxCategoryDefault>(
        new (RSe::_GetMeta(static_cast<const DUxCategoryDefault*>(nullptr)), seg)
            DUxCategoryDefault(doc, cat, g));
}

// Nothing is cleaned up by hand: what a standard holds (a reference into the document's store)
// goes with the document, before its store, and the leak check at exit finds nothing left.
TEST(DUxDocumentData, IsEachDocumentsOwnAndGoesWithIt) {
    DUxCategoryDefaultFactory factory(7002, Ansi(), &MakeDefault);
    g_released = 0;
    {
        auto a = std::make_unique<FWxSceneDoc>();
        FWxSceneDoc b;
        auto make = [](FWxSceneDoc*) -> std::unique_ptr<FWxDocData> {
            return std::make_unique<CountedData>();
        };
        FWxDocData& da = a->GetData(&kCountedKey, make);
        EXPECT_EQ(&a->GetData(&kCountedKey, make), &da);
        EXPECT_NE(&b.GetData(&kCountedKey, make), &da);
        EXPECT_EQ(b.FindData(&g_released), nullptr);

        DUxStandard* sa = DUxStandardUtil::GetStandard(a.get(), Ansi());
        ASSERT_NE(sa, nullptr);
        EXPECT_NE(DUxStandardUtil::GetStandard(&b, Ansi()), sa);
        RSeRef<DUxCategoryDefault> d = DUxStandardUtil::GetCategoryDefault(a.get(), Ansi(), 7002);
        ASSERT_TRUE(d.HasTarget());
        EXPECT_EQ(d->GetOwner(), sa);
        EXPECT_NE(DUxStandardUtil::GetCategoryDefault(&b, Ansi(), 7002).get(), d.get());
        d = {};
        a.reset();
        EXPECT_EQ(g_released, 1);
    }
    EXPECT_EQ(g_released, 2);
    // Without a document there is no standard, but its text defaults still answer.
    EXPECT_EQ(DUxStandardUtil::GetStandard(nullptr, Ansi()), nullptr);
    EXPECT_EQ(DUxStandardUtil::GetTextHeight(nullptr, Ansi()), 0.12);
    EXPECT_EQ(DUxStandardUtil::GetFontID(nullptr, Ansi()), 1);
}

// The standard remembers its category object by reference: undo takes the object away and the
// standard answers none made by it; redo brings the same object back without a new one made.
TEST(DUxDocumentData, AStandardsCategoryObjectFollowsUndoAndRedo) {
    int made = 0;
    static int* s_made = nullptr;
    s_made = &made;
    DUxCategoryDefaultFactory factory(7003, Ansi(), [](FWxSceneDoc* doc, RSeSegment* seg,
                                                       int32_t cat, const UTxGUID& g) {
        ++*s_made;
        return MakeDefault(doc, seg, cat, g);
    });
    FWxSceneDoc doc;
    uint32_t id = 0;
    ASSERT_FALSE(doc.ProcessChangeRequest(new RunRequest([&] {
                        id = DUxStandardUtil::GetCategoryDefault(&doc, Ansi(), 7003).GetId();
                    }))
                     .Failed());
    ASSERT_NE(id, 0u);
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(doc.GetRSeDb()->FindObject(id), nullptr);
    ASSERT_FALSE(doc.Redo().Failed());
    RSeRef<DUxCategoryDefault> again = DUxStandardUtil::GetCategoryDefault(&doc, Ansi(), 7003);
    EXPECT_EQ(again.GetId(), id);
    EXPECT_EQ(again.get(), doc.GetRSeDb()->FindObject(id));
    EXPECT_EQ(made, 1);
}

} // namespace
