// 3D weld annotations as selection, copies and storage meet them: the filter picks the drawn
// stroke nearest the pick, copies and stored drawings keep the property bits the context menu
// tests, and the caterpillar draws only while its bits say so.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "KorvuTestSupport.h"
#include "WeldTestDoc.h"
#include "DatumTarget/DLxDatumTargetFilter.h"
#include "Welding/DLxAnnoWeldEditCCAttr.h"
#include "Welding/DLxAnnoWeldInstance.h"
#include "Welding/DLxAnnoWeldInstanceFilter.h"
#include "Welding/DLxAnnoWeldInstanceSelection.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxTypeFilterItem.h"

namespace {
using namespace weldtest;
using A = DLxAnnoWeldInstance;

constexpr uint32_t kCaterpillar = A::eCaterpillar | A::eCaterpillarActive;

DLxAnnoWeldInstance* Annotation(const DLxSheet* sheet) {
    for (const RSeRef<RDxNode>& r : sheet->GetNodes())
        if (auto* a = dynamic_cast<DLxAnnoWeldInstance*>(r.GetTarget())) return a;
    return nullptr;
}

SmartPtr<FWxSelection> Pick(WeldDoc& d, const WqGePoint3d& p, SMxTypeFilterItem* item) {
    FWxSelectionFilter filter;
    filter.Add(item);
    FWxSelectionSet set;
    DLxTDXUtil::GetSelection(d.doc.get(), p, set, filter, 0.1);
    return set.Count() ? set.GetAt(0) : SmartPtr<FWxSelection>();
}

// Edge 1 runs 100 long along y = 150 from x = 150: strokes every 2 from its start, upwards.
TEST(AnnoWeld, TheCaterpillarDrawsWhileItsBitsSaySo) {
    struct Case {
        uint32_t props;
        size_t strokes;
    };
    const Case cases[] = {{kCaterpillar, 51},
                          {A::eCaterpillar, 0},
                          {kCaterpillar | A::eCaterpillarRebuild, 0},
                          {A::eEndTreatment | A::eEndTreatmentActive, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.props);
        WeldDoc d;
        A* a = A::Create(d.view, 1, c.props, 101);
        ASSERT_NE(a, nullptr);
        RDxComputeContext ctx;
        d.sheet->Recompute(ctx);
        EXPECT_EQ(size_t(a->GetDisplayList().Count()), c.strokes);
        if (!c.strokes) continue;
        const SMxDisplayItem* third = a->GetDisplayList().FindFirst(A::kFirstCaterpillarItem + 2);
        ASSERT_NE(third, nullptr);
        EXPECT_NEAR(third->GetBBox().min.x, 154, 1e-9);
        EXPECT_NEAR(third->GetBBox().max.y, 150 + A::kStrokeLength, 1e-9);
    }
    WeldDoc d;
    EXPECT_EQ(A::Create(d.view, 7, kCaterpillar, 0), nullptr);
}

TEST(AnnoWeld, TheFilterPicksTheStrokeNearestThePick) {
    WeldDoc d;
    A* a = A::Create(d.view, 1, kCaterpillar, 101);
    RDxComputeContext ctx;
    d.sheet->Recompute(ctx);
    ASSERT_FALSE(d.Create().Failed()); // a weld symbol beside it is none of the filter's

    SmartPtr<FWxSelection> sel = Pick(d, {154.2, 151, 0}, new DLxAnnoWeldInstanceFilter());
    auto* pick = dynamic_cast<DLxAnnoWeldInstanceSelection*>(sel.get());
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(pick->GetAnnoWeld(), a);
    EXPECT_EQ(pick->GetItemID(), A::kFirstCaterpillarItem + 2);

    // Copies and assignments keep the item and the annotation.
    DLxAnnoWeldInstanceSelection copy(*pick);
    EXPECT_EQ(copy.GetItemID(), pick->GetItemID());
    EXPECT_EQ(copy.GetAnnoWeld(), a);
    DLxAnnoWeldInstanceSelection other(nullptr, {}, 0);
    other = *pick;
    EXPECT_EQ(other.GetItemID(), A::kFirstCaterpillarItem + 2);
    EXPECT_EQ(other.GetAnnoWeld(), a);

    // A weld symbol is not admitted; nor is anything by a disabled filter.
    EXPECT_FALSE(Pick(d, {220, 180, 0}, new DLxAnnoWeldInstanceFilter()));
    auto* off = new DLxAnnoWeldInstanceFilter();
    off->SetEnabled(false);
    EXPECT_FALSE(Pick(d, {154.2, 151, 0}, off));
}

TEST(AnnoWeld, FilterCopiesAreNewFiltersOfTheSameType) {
    SmartPtr<DLxAnnoWeldInstanceFilter> f(new DLxAnnoWeldInstanceFilter());
    EXPECT_EQ(f->GetType(), DLxAnnoWeldInstanceFilter::EType(1));
    DLxAnnoWeldInstanceFilter copy(*f);
    EXPECT_EQ(copy.GetType(), f->GetType());
    EXPECT_EQ(copy.GetRefCount(), 0);
    SmartPtr<DLxDatumTargetFilter> t(new DLxDatumTargetFilter());
    DLxDatumTargetFilter tcopy(*t);
    EXPECT_EQ(tcopy.GetSubType(), DLxDatumTargetFilter::ESubType(1));
    EXPECT_EQ(tcopy.GetRefCount(), 0);
}

// The context menu tests bits 4 and 32 of an annotation: a copy and a stored drawing answer as
// the original.
TEST(AnnoWeld, CopiesAndStoredDrawingsKeepBitsAndFeature) {
    WeldDoc d;
    A* a = A::Create(d.view, 1, kCaterpillar | A::eEndTreatmentActive, 101);
    ASSERT_NE(a, nullptr);
    a->RemoveAnnoWeldProp(A::eCaterpillar);
    a->AddAnnoWeldProp(A::eManual);
    const uint32_t bits = A::eCaterpillarActive | A::eEndTreatmentActive | A::eManual;
    ASSERT_EQ(a->GetAnnoWeldProps(), bits);

    RSeCloneCommander cc(a->GetSegment());
    ASSERT_FALSE(cc.Clone({a}).Failed());
    auto* copy = dynamic_cast<A*>(cc.CloneOf(a));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetAnnoWeldProps(), bits);
    EXPECT_TRUE(copy->IsAnnoWeldPropValid(A::eCaterpillarActive));
    EXPECT_FALSE(copy->IsAnnoWeldPropValid(A::eCaterpillar));
    EXPECT_EQ(copy->GetFeatureID(), 101u);
    RSe::DeleteObject(copy);

    KorvuTempDir dir;
    const std::string path = dir.File("anno.kvd");
    ASSERT_FALSE(d.doc->Save(path).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    const UTxResult r = DLxDrawingDoc::Open(path, loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    A* back = Annotation(loaded->GetSheets().front());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetAnnoWeldProps(), bits);
    EXPECT_EQ(back->GetFeatureID(), 101u);
    ASSERT_NE(back->GetAssociatedView(), nullptr);
    EXPECT_NE(back->GetEdgeGeomProxy(), nullptr);
}

TEST(AnnoWeld, TheEditAttributeTravelsInTheComputeContext) {
    WeldDoc d;
    A* a = A::Create(d.view, 1, kCaterpillar, 0);
    const DLxAnnoWeldEditCCAttr fresh;
    EXPECT_EQ(fresh.GetChangeType(), DLxAnnoWeldEditCCAttr::kNoChange);
    EXPECT_EQ(fresh.GetManipIndex(), 0);
    EXPECT_EQ(fresh.GetAnnoWeldInstance(), nullptr);

    RDxComputeContext ctx;
    EXPECT_FALSE(DLxAnnoWeldEditCCAttr::Find(ctx).has_value());
    DLxAnnoWeldEditCCAttr attr;
    attr.SetChangeType(DLxAnnoWeldEditCCAttr::EChangeType(3));
    attr.SetManipIndex(7);
    attr.SetAnnoWeldInstance(a);
    attr.AddTo(ctx);
    const auto found = DLxAnnoWeldEditCCAttr::Find(ctx);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->GetChangeType(), DLxAnnoWeldEditCCAttr::EChangeType(3));
    EXPECT_EQ(found->GetManipIndex(), 7);
    EXPECT_EQ(found->GetAnnoWeldInstance(), a);
}

} // namespace
