// An emblem draws into its display list when its sheet recomputes.
#include <gtest/gtest.h>

#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEmblem.h"
#include "dl/DLxSheet.h"
#include "rse/RSeMeta.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"

namespace {

// Draws one line from the origin to its input count; needs no template.
class TstMark : public DLxEmblem {
public:
    TstMark() = default;
    explicit TstMark(const RSeStream* s) : DLxEmblem(s) {}
    RSeMetaType* GetMeta() const override;
    UTxResult Compute(RDxComputeContext&) override {
        GetDisplayList().Clear();
        SMxDisplayListBuilder b(GetDisplayList());
        b.SetItemId(9);
        b.AddLine(WqGePoint3d(0, 0, 0), WqGePoint3d(10, 5, 0));
        return {};
    }
};

void MarkGuid(UTxGUID& g) {
    g = UTxGUID(0x51a7e0e1, 0x00010001, 0x80000000, 0x00000001);
}
RSeMetaType* MarkMeta() {
    static RSeMetaType* mt =
        RSeMakeMeta<TstMark>(u"TstMark", &MarkGuid, 0, RSeMetaType::kClass,
                             RSe::_InitMeta(static_cast<const DLxEmblem*>(nullptr)));
    return mt;
}
RSeMetaType* TstMark::GetMeta() const {
    return MarkMeta();
}

TEST(DLxEmblem, DrawsWhenItsSheetRecomputes) {
    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    auto* mark = new (MarkMeta(), sheet->GetSegment()) TstMark();
    ASSERT_TRUE(sheet->AddNode(mark));
    EXPECT_TRUE(mark->GetDisplayList().IsEmpty());
    RDxComputeContext ctx;
    ASSERT_FALSE(sheet->Recompute(ctx).Failed());
    ASSERT_EQ(mark->GetDisplayList().FindAll(9).length(), 1);
    EXPECT_TRUE(mark->GetMeta()->IsKindOf(RSe::_GetMeta(static_cast<const DLxEmblem*>(nullptr))));
    // Emblems are the host's annotations: clipping and selection reach them as such.
    EXPECT_TRUE(mark->GetMeta()->IsKindOf(RSe::_GetMeta(static_cast<const DUxEmblem*>(nullptr))));
    EXPECT_TRUE(mark->GetMeta()->IsKindOf(
        RSe::_GetMeta(static_cast<const DUxAnnotationInstance*>(nullptr))));
}

} // namespace
