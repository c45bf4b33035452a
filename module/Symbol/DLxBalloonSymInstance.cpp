#include "Symbol/DLxBalloonSymInstance.h"

#include "Leader/DLxLeaderUtils.h"

#include <optional>

#include "BofM/DLxPartListTable.h"
#include "Leader/DLxSymFilters.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Standard/DLxCBalloon.h"
#include "Symbol/DLxBalloonSymState.h"
#include "Symbol/DLxBalloonSymUtil.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxBalloonStyleWrapper.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxDocUtil.h"
#include "rse/RSe.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxCast.h"


DLxBalloonSymInstance::DLxBalloonSymInstance(RDxFragment* fragment, DLxBalloonSymState* state)
    : DLxTableCalloutSymInstance(fragment, state) {}

DLxBalloonSymInstance::DLxBalloonSymInstance(const RSeStream* s) : DLxTableCalloutSymInstance(s) {}

DLxBalloonSymInstance::~DLxBalloonSymInstance() {
    // Undo, redo and closing put the bill back from its image; a preview copy was never
    // counted there.
    const RSeSegment* segment = GetSegment();
    if (!RSe::IsLiveDeletion(this) || (segment && segment->IsTransient())) return;
    LeaveBOM();
    if (DLxDrawing* drawing = Drawing()) drawing->ProcessAnnotationDelete(this);
}

RSeRef<DLxBalloonSymInstance>
DLxBalloonSymInstance::CreateInstance(const RSeRef<RDxFragment>& fragmentRef,
                                      std::vector<WqGePoint3d>& points, uint32_t arrowType,
                                      const RSeRef<DLxStructureNode>& node,
                                      const DLxLocalBOMCookie& cookie,
                                      DLxBomStdInfo::EDirection direction,
                                      const RSeRef<DUxBalloonStyle>& balloonStyle,
                                      const RSeRef<FBxLayerStyle>& layerStyle,
                                      const RSeRef<DUxStandardStyle>&) {
    RDxFragment* fragment = fragmentRef.get();
    RSeSegment* segment = fragment ? RSe::SegmentOf(fragment) : nullptr;
    if (!segment) return {};
    DLxBalloonSymState* state = DLxBalloonSymState::Create(fragment);
    // The styles are read, not written: the transaction keeps no image of them per balloon.
    if (balloonStyle.HasTarget()) {
        DUxBalloonStyleWrapper wrapper(RSeRef<DUxSymState>(state), {});
        wrapper.SetPrimaryStyle(RSeRef<DUxBalloonStyle>(balloonStyle.Read()));
    }
    if (layerStyle.HasTarget()) DUxStyleUtil::SetLayerStyle(state, layerStyle.Read());

    DLxCBalloon* primary = DLxCBalloon::New(segment, node, 0);
    primary->setDirection(direction);
    primary->SetCookie(cookie);
    state->SetBalloon(RSeRef<DLxCTableCallout>(primary));

    auto* inst = new (RSe::_GetMeta(static_cast<const DLxBalloonSymInstance*>(nullptr)), segment)
        DLxBalloonSymInstance(fragment, state);
    DUxArrowHeadState* arrow = DUxLeaderNodeTree::CreateArrowHeadState(fragment, arrowType);
    DUxLeaderNodeTree* tree = DLxLeaderUtils::MakeLeader(fragment, points, arrow);
    if (!tree) {
        // No half-built balloon: without its leader it goes again.
        inst->DeleteAndVacuumClean();
        return {};
    }
    inst->AppendLeader(tree);
    return RSeRef<DLxBalloonSymInstance>(inst);
}

// ---- state and entries

DLxBalloonSymState* DLxBalloonSymInstance::State() const {
    return UTx::Cast<DLxBalloonSymState>(GetSymState());
}

RSeRef<DLxBalloonSymState> DLxBalloonSymInstance::GetBalloonSymState() const {
    return RSeRef<DLxBalloonSymState>(State());
}

DLxLocalBOM* DLxBalloonSymInstance::LocalBOM() const {
    const DLxBalloonSymState* state = State();
    return state ? const_cast<DLxLocalBOM*>(state->GetLocalBOM().Read()) : nullptr;
}

DLxDrawing* DLxBalloonSymInstance::Drawing() const {
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(this));
    return doc ? doc->GetDrawing() : nullptr;
}

RSeRef<DLxCBalloon> DLxBalloonSymInstance::GetBalloon() const {
    return RSeRef<DLxCBalloon>(DLxTableCalloutSymInstance::GetBalloon());
}

RSeRef<DLxCBalloon> DLxBalloonSymInstance::GetAttachedBalloon(int32_t i) const {
    if (i < 0 || uint32_t(i) >= AttachedCount()) return {};
    return RSeRef<DLxCBalloon>(DLxTableCalloutSymInstance::GetAttachedBalloon(i));
}

RSeRef<DLxCBalloon> DLxBalloonSymInstance::GetClosestBalloon(const WqGePoint3d& p) const {
    return RSeRef<DLxCBalloon>(DLxTableCalloutSymInstance::GetClosestBalloon(p));
}

void DLxBalloonSymInstance::GetAllBalloons(Balloons* out) const {
    if (!out) return;
    Entries all;
    DLxTableCalloutSymInstance::GetAllBalloons(&all);
    for (const RSeRef<DLxCTableCallout>& e : all)
        out->emplace_back(e);
}

DLxLocalBOMCookie DLxBalloonSymInstance::GetCookie() const {
    const DLxCBalloon* primary = GetBalloon().Read();
    return primary ? primary->GetCookie() : DLxLocalBOMCookie();
}

void DLxBalloonSymInstance::SetCookie(const DLxLocalBOMCookie& cookie) {
    if (DLxCBalloon* primary = GetBalloon().get()) primary->SetCookie(cookie);
    InitAnnoUpdateState({});
}

RSeRef<DLxStructureNode> DLxBalloonSymInstance::GetStructureNode() const {
    const DLxCBalloon* primary = GetBalloon().Read();
    return primary ? primary->GetStructureNode() : RSeRef<DLxStructureNode>();
}

void DLxBalloonSymInstance::SetStructureNode(const RSeRef<DLxStructureNode>& node) {
    DLxCBalloon* primary = GetBalloon().get();
    if (!primary) return;
    primary->SetStructureNode(node);
    InitAnnoUpdateState({});
}

WqGePoint3d DLxBalloonSymInstance::GetKeyPoint() const {
    const DLxCBalloon* primary = GetBalloon().Read();
    if (!primary) return {};
    return {primary->origin().x, primary->origin().y, 0};
}

// ---- the kind

UTxString16 DLxBalloonSymInstance::GetBrowserLabel() const {
    static const UTxString16 label = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, kLabelStringId) : std::nullopt;
        return text ? UTxString16(*text) : UTxString16(u"Balloon");
    }();
    return label;
}

UTxResult DLxBalloonSymInstance::Compute(RDxComputeContext& ctx) {
    // A preview copy (a drag's) only draws: what the drawing and the bill keep account of is
    // the stored balloon's, and a copy that counted itself there would leave its counts behind.
    const RSeSegment* segment = GetSegment();
    const bool preview = segment && segment->IsTransient();
    if (DLxDrawing* drawing = preview ? nullptr : Drawing()) drawing->SetAnnotationUpdated(this);
    const UTxResult result = DLxTableCalloutSymInstance::Compute(ctx);
    if (DLxBalloonSymState* state = preview ? nullptr : State()) state->UpdateUsedProperties();
    return result;
}

bool DLxBalloonSymInstance::PendingConfiguration() {
    Balloons all;
    GetAllBalloons(&all);
    for (const RSeRef<DLxCBalloon>& ref : all) {
        const DLxCBalloon* entry = ref.Read();
        const DLxStructureNode* node = entry ? entry->GetStructureNode().Read() : nullptr;
        const DLxConfiguration* configuration = node ? node->GetConfiguration() : nullptr;
        if (configuration && (configuration->GetStatus() & DLxConfiguration::kPending))
            return true;
    }
    UnsetFlag(kPendingConfigurationFlag);
    return false;
}

bool DLxBalloonSymInstance::IsEntryValid(DLxLocalBOM* bom, const DLxCBalloon& entry) const {
    const RSeRef<DLxLocalBOM> bill(bom);
    UTxString16 text;
    const DLxLocalBOMCookie cookie = entry.GetCookie();
    if (cookie.IsValid() && DLxBalloonSymUtil::GetComponentTag(bill, cookie, text)) return true;
    const RSeRef<DLxStructureNode>& node = entry.GetStructureNode();
    return node.HasTarget() && DLxBalloonSymUtil::GetComponentTag(bill, node, text);
}

bool DLxBalloonSymInstance::Refresh() {
    DLxLocalBOM* bom = LocalBOM();
    if (!bom) return false;
    if (bom->GetBOMStatus(true) & kUnsettledBOMStatus) return true;
    if (IsFlagOn(kPendingConfigurationFlag) && PendingConfiguration()) return true;
    if (const DLxDrawing* drawing = Drawing(); drawing && drawing->GetPreserveAnnotationMode() == 1)
        return true;
    Balloons all;
    GetAllBalloons(&all);
    for (const RSeRef<DLxCBalloon>& ref : all) {
        const DLxCBalloon* entry = ref.Read();
        if (entry && !IsEntryValid(bom, *entry)) DetachBalloon(RSeRef<DLxCTableCallout>(ref));
    }
    return GetBalloon().HasTarget();
}

UTxResult DLxBalloonSymInstance::ProcessMessage(int32_t code, void* data) {
    if (code != kRefreshMessage) return {};
    if (!Refresh())
        DeleteAndVacuumClean();
    else if (data)
        MarkEdited(true);
    return {};
}

void DLxBalloonSymInstance::DeleteAndVacuumClean() {
    // The bill hears of it while the state still says which bill it is.
    LeaveBOM();
    DLxTableCalloutSymInstance::DeleteAndVacuumClean();
}

bool DLxBalloonSymInstance::IsDead() const {
    if (DLxTableCalloutSymInstance::IsDead()) return true;
    const DLxCBalloon* primary = GetBalloon().Read();
    if (!primary) return true;
    return !primary->GetStructureNode().HasTarget() && !primary->GetCookie().IsValid();
}

bool DLxBalloonSymInstance::NeedsDeleting() const {
    return !LocalBOM();
}

bool DLxBalloonSymInstance::wakeUpToOnline() {
    DLxLocalBOM* bom = LocalBOM();
    if (!bom) return false;
    bool any = false;
    Balloons all;
    GetAllBalloons(&all);
    for (const RSeRef<DLxCBalloon>& ref : all)
        if (DLxCBalloon* entry = ref.get()) any = entry->RemoveRedundantOverrides(bom) || any;
    return any;
}

// ---- the bill

void DLxBalloonSymInstance::InitAnnoUpdateState(const RSeRef<RSeIDed>& update) {
    DLxLocalBOM* bom = LocalBOM();
    if (!bom) return;
    auto* record = dynamic_cast<DLxAnnotationUpdateState*>(update.get());
    if (!record) bom->GetAnnotationState(this, record);
    if (!record) return;
    record->SetUpdateType(DLxAnnotationUpdateState::kBalloon);
    auto* data = dynamic_cast<DLxBalloonUpdateData*>(record->GetAnnoSpecificData());
    if (!data) {
        data = new (RSe::_GetMeta(static_cast<const DLxBalloonUpdateData*>(nullptr)),
                    record->GetSegment()) DLxBalloonUpdateData();
        record->SetAnnoSpecificData(data);
    }
    data->Clear();
    Balloons all;
    GetAllBalloons(&all);
    for (const RSeRef<DLxCBalloon>& ref : all) {
        const DLxCBalloon* entry = ref.Read();
        if (!entry) continue;
        const DLxStructureNode* node = entry->GetStructureNode().Read();
        data->AddItem(entry->GetCookie(), node ? node->GetRDxPassivePath() : std::vector<int32_t>());
    }
    data->SetBalloonVisibility(!IsSuppressed());
    bom->NotifyPLsInterestedInBalloonChanges(nullptr);
}

void DLxBalloonSymInstance::RegisterAnnotation(const RSeRef<DLxSheet>& sheet) {
    DLxLocalBOM* bom = LocalBOM();
    if (!sheet.HasTarget() || !bom) return;
    bom->RegisterAnnotation(sheet.get(), this, true);
}

DLxBalloonSymFilter* DLxBalloonSymInstance::CreateSelectionFilter() const {
    return new DLxBalloonSymFilter(DLxBalloonSymFilter::ESubType(1));
}

void DLxBalloonSymInstance::DetachBalloon(const RSeRef<DLxCTableCallout>& entry) {
    RemoveBalloon(entry);
    InitAnnoUpdateState({});
}

RSeRef<DLxCTableCallout>
DLxBalloonSymInstance::AttachBalloonWithCookie(const WqGePoint3d& position,
                                               const RSeRef<DLxStructureNode>& node,
                                               DLxLocalBOMCookie cookie) {
    RSeRef<DLxCTableCallout> entry = AttachNewBalloon(position, node);
    if (DLxCBalloon* balloon = RSeRef<DLxCBalloon>(entry).get()) balloon->SetCookie(cookie);
    InitAnnoUpdateState({});
    return entry;
}

RSeRef<DLxCTableCallout>
DLxBalloonSymInstance::AttachBalloonWithNode(const WqGePoint3d& position,
                                             const RSeRef<DLxStructureNode>& node) {
    RSeRef<DLxCTableCallout> entry = AttachNewBalloon(position, node);
    InitAnnoUpdateState({});
    return entry;
}

void DLxBalloonSymInstance::LeaveBOM() {
    DLxBalloonSymState* state = State();
    if (!state) return;
    state->ClearUsedProperties();
    if (DLxLocalBOM* bom = LocalBOM()) bom->NotifyPLsInterestedInBalloonChanges(nullptr);
}

// ---- host overrides

// The sketch a sketched balloon draws, and the parts lists of its sheet, whose rows it numbers.
void DLxBalloonSymInstance::CollectDependencies(std::vector<RDxNode*>& out) const {
    if (const DLxCBalloon* primary = GetBalloon().Read())
        if (auto* sketch = dynamic_cast<RDxNode*>(primary->GetSketchInstance().GetTarget()))
            out.push_back(sketch);
    if (DLxSheet* sheet = DLxAnnotationUtil::GetContainingSheetInstance(GetFragment().get()))
        for (const RSeRef<RDxNode>& node : sheet->GetNodes())
            if (auto* table = dynamic_cast<DLxPartListTable*>(node.GetTarget())) out.push_back(table);
    DLxTableCalloutSymInstance::CollectDependencies(out);
}

bool DLxBalloonSymInstance::CanApplySymbolTreatments() {
    const DUxLeaderNodeTree* tree = GetLeader(0);
    return tree && tree->GetNumBranches() > 1;
}

// The layer the balloon's state is on.
SmartPtr<DUxLayerStyleAbstract> DLxBalloonSymInstance::ObjectStyleWrapper() {
    const DUxSymState* state = GetSymState();
    return state ? DUxStyleUtil::LayerStyleWrapper(state) : SmartPtr<DUxLayerStyleAbstract>();
}
