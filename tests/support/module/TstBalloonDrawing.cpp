#include "TstBalloonDrawing.h"

#include <gtest/gtest.h>

#include "KorvuBOMFixture.h"
#include "Standard/DLxCBalloon.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymState.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "du/DUxBalloonStyle.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace TstBalloon {

DUxStyleFormatColumnPropertyID Prop(const char16_t* id, const char16_t* heading) {
    DUxStyleFormatColumnPropertyID p;
    p.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    p.SetPropertyID(id);
    p.SetPropertyExternalName(heading);
    return p;
}

Drawing::Drawing() : Drawing(KorvuBOM::BracketAssembly()) {}

Drawing::Drawing(const DLxAssemblyData& model) {
    EXPECT_TRUE(doc.SetAssembly(model));
    bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), *doc.GetAssembly(), 1, true);
    EXPECT_NE(bom, nullptr);
    if (bom) tags = bom->GetConfiguration(true)->GetTagManager(true);
    sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
    style = DLxStdStyles::GetBalloonStyle(&doc);
    EXPECT_NE(style, nullptr);
}

RSeSegment* Drawing::Segment() const {
    return doc.GetDrawing()->GetSegment();
}

RSeRef<DLxStructureNode> Drawing::Node(int32_t occurrence) const {
    return RSeRef<DLxStructureNode>(tags ? tags->FindNode({occurrence}) : nullptr);
}

DLxBalloonSymState* Drawing::Balloon(const RSeRef<DLxStructureNode>& node,
                                     const DLxLocalBOMCookie& cookie) {
    DLxBalloonSymState* state = DLxBalloonSymState::Create(sheet);
    state->SetStyle(style);
    state->SetLocalBOM(RSeRef<DLxLocalBOM>(bom));
    RSeRef<DLxCTableCallout> primary = state->CreateBalloon(node, 0);
    RSeRef<DLxCBalloon>(primary)->SetCookie(cookie);
    state->SetBalloon(primary);
    return state;
}

DLxBalloonSymInstance* Drawing::Place(const RSeRef<DLxStructureNode>& node,
                                      const DLxLocalBOMCookie& cookie, const WqGePoint3d& end,
                                      const WqGePoint3d& root) {
    std::vector<WqGePoint3d> points{end, root};
    const RSeRef<DLxBalloonSymInstance> ref = DLxBalloonSymInstance::CreateInstance(
        RSeRef<RDxFragment>(sheet), points, DUxLeaderNodeTree::kDefaultArrowHeadId, node, cookie,
        DLxBomStdInfo::kRight, RSeRef<DUxBalloonStyle>(style), {}, {});
    DLxBalloonSymInstance* inst = ref.get();
    if (!inst) return nullptr;
    inst->GetBalloonSymState()->SetLocalBOM(RSeRef<DLxLocalBOM>(bom));
    inst->RegisterAnnotation(RSeRef<DLxSheet>(sheet));
    inst->GetBalloonSymState()->UpdateUsedProperties();
    return inst;
}

void Drawing::SetItems(const std::vector<DUxStyleFormatColumnPropertyID>& properties) {
    std::vector<RSeRef<DUxTableStyleColumn>> items;
    std::vector<DUxTableStylePartsListColumn*> made;
    for (const DUxStyleFormatColumnPropertyID& p : properties) {
        DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(nullptr);
        *c->GetPropertyID() = p;
        made.push_back(c);
        items.emplace_back(c);
    }
    style->SetItems(items);
    for (DUxTableStylePartsListColumn* c : made)
        RSe::DeleteObject(c);
}

} // namespace TstBalloon
