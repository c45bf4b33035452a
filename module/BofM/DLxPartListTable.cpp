#include "BofM/DLxPartListTable.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "BofM/DLxTableStatePartlist.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dc/RDxTemplate.h"
#include "dc/RDxTemplateFactory.h"
#include "dc/RSeTemplateMgr.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/GBxBOMDescriptor.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxSceneUtil.h"
#include "du/DUxSymState.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "fb/FBxLayerStyle.h"
#include "fb/FBxObjectEditRecord.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxTranscriptValue.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSe.h"
#include "rse/RSeNotifier.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayList.h"

namespace {
// Under this heading position a table grows away from its far edge, which stays put.
constexpr int32_t kFarEdgeHeading = 2;
constexpr double kEdgeTol = 1e-10;

// The annotation template that every placed annotation of the module is an instance of.
const UTxGUID& AnnotationTemplateGuid() {
    static const UTxGUID guid(0xccd2ff20, 0x582211d1, 0x9d080800, 0x09d9311e);
    return guid;
}

RDxTemplate* AnnotationTemplate() {
    if (RDxTemplate* registered = RSeTemplateMgr::GetTemplate(AnnotationTemplateGuid(), 0))
        return registered;
    const RDxTemplateFactory* factory = RDxTemplateFactory::Find(AnnotationTemplateGuid());
    if (!factory || !factory->GetFunction()) return nullptr;
    RDxTemplate* made = factory->GetFunction()(nullptr);
    if (made && !RSeTemplateMgr::Register(made)) {
        delete made;
        return nullptr;
    }
    return made;
}

DLxDrawingDoc* DrawingDocOf(const RSeVMeta* obj) {
    return obj ? dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(obj)) : nullptr;
}

// The document's parts-list styles stand for its "PartsList" styles collection: a document
// without any gets "NEWSTYLE"; the default is the one named after the drawing's standard, else
// the first.
DUxTableStylePartsList* ChooseDocumentStyle(DLxDrawingDoc* doc) {
    DLxDrawing* drawing = doc ? doc->GetDrawing() : nullptr;
    if (!drawing) return nullptr;
    std::vector<DUxTableStylePartsList*> styles;
    for (const RSeRef<FWxStyle>& s : drawing->GetStyles())
        if (auto* p = dynamic_cast<DUxTableStylePartsList*>(s.get())) styles.push_back(p);
    if (styles.empty()) {
        DUxTableStylePartsList* made =
            DUxTableStylePartsList::CreateStyle(drawing->GetSegment(), u"NEWSTYLE");
        if (!made || !drawing->AddStyle(made)) return made;
        styles.push_back(made);
    }
    for (DUxTableStylePartsList* s : styles)
        if (s->GetStyleName() == drawing->GetStandardName()) return s;
    return styles.front();
}
} // namespace

DLxPartListTable::DLxPartListTable(RDxFragment* fragment,
                                   const RSeRef<DLxTableStatePartlist>& state) {
    if (RDxTemplate* tmpl = AnnotationTemplate())
        SetTemplate(tmpl);
    else
        SetTemplateId(AnnotationTemplateGuid(), 0);
    m_dvRef.SetOwnerNode(this);
    SetBirthday(0);
    if (fragment) fragment->AddNode(this);
    AddInputState(DUxDisplayListState::Create(fragment));
    DLxTableStatePartlist* own = state.get();
    if (!own) own = DLxTableStatePartlist::New(fragment ? fragment->GetSegment() : nullptr);
    AddInputState(own);
}

DLxPartListTable::DLxPartListTable(const RSeStream* s) : DLxEmblem(s) {
    m_dvRef.SetOwnerNode(this);
}

DLxPartListTable::~DLxPartListTable() {
    // Undo, redo and closing put every other object back from its image or end it themselves.
    if (!RSe::IsLiveDeletion(this)) return;
    DLxDrawingDoc* doc = DrawingDocOf(this);
    RSe::NotifyOfDelete(this);
    DeleteBrowserEntry();
    // Both input states are the table's own: the display list's (a node of the sheet) and the
    // table state.
    std::vector<RDxState*> states;
    for (uint32_t i = 0; i < GetInputStateCount() && i < 2; ++i)
        if (RDxState* state = GetInputState(i)) states.push_back(state);
    for (RDxState* state : states) {
        RDxFragment* fragment = state->GetFragment().get();
        if (!fragment || !fragment->DeleteNode(state)) RSe::DeleteObject(state);
    }
    if (DLxDrawing* drawing = doc ? doc->GetDrawing() : nullptr)
        drawing->ProcessAnnotationDelete(this);
}

RSeRef<DLxPartListTable> DLxPartListTable::Create(RDxFragment* fragment, const WqGePoint3d& origin,
                                                  const RSeRef<DLxLocalBOM>& bom,
                                                  const RSeRef<DUxTableStylePartsList>& style,
                                                  const RSeRef<FBxLayerStyle>& layerStyle) {
    RSeSegment* segment = fragment ? fragment->GetSegment() : nullptr;
    RSeRef<DLxTableStatePartlist> state(DLxTableStatePartlist::New(segment));
    auto* table =
        new (RSe::_GetMeta(static_cast<const DLxPartListTable*>(nullptr)),
             segment ? segment : RSe::TransientSegment()) DLxPartListTable(fragment, state);
    RSeRef<DLxPartListTable> result(table);

    DLxDrawingDoc* doc = DrawingDocOf(fragment);
    if (!doc && bom.get()) doc = DrawingDocOf(bom.get());

    DUxTableStylePartsListWrapper wrapper(RSeRef<DUxTableStateBase>(state.get()), {});
    RSeRef<DUxTableStylePartsList> chosen = style;
    if (!wrapper.Style().get() && !chosen.get())
        chosen = RSeRef<DUxTableStylePartsList>(ChooseDocumentStyle(doc));
    if (chosen.get()) wrapper.SetPrimaryStyle(RSeRef<DUxTableStyle>(chosen.get()));
    // The layer is read, not written: the transaction keeps no image of it with every table.
    if (layerStyle.HasTarget()) DUxStyleUtil::SetLayerStyle(state.get(), layerStyle.Read());

    DUxTableStylePartsList* bound = wrapper.Style().get();
    DUxTableColumnList copies = wrapper.GetCopyOfColumns(RSe::TransientSegment());
    state->SetLocalBOM(bom);
    state->SetColumns(copies);
    DUxTableStyle::ClearColumns(copies);

    if (bound) {
        state->SetGroupingEnabled(bound->GetGrouping());
        state->SetDisplayItemNumbers(bound->GetDisplayGroupedItemNumber());
        state->SetDisplayParticipants(bound->GetDisplayParticipants());
        state->SetGroupKeys(bound->GetGroupKeys());
    }
    state->SetOrigin(origin);
    if (DUxTableRowFilterList* filters = wrapper.FilterList()) state->SetFilterList(*filters);
    return result;
}

RSeRef<DLxTableStatePartlist> DLxPartListTable::GetPartListTableState() const {
    if (GetInputStateCount() < 2) return {};
    return RSeRef<DLxTableStatePartlist>(dynamic_cast<DLxTableStatePartlist*>(GetInputState(1)));
}

DUxDisplayListState* DLxPartListTable::GetDisplayListState() const {
    return GetInputStateCount() > 0 ? dynamic_cast<DUxDisplayListState*>(GetInputState(0))
                                    : nullptr;
}

SMxDisplayList* DLxPartListTable::GetDisplayList() const {
    DUxDisplayListState* s = GetDisplayListState();
    return s ? &s->GetDisplayList() : nullptr;
}

void DLxPartListTable::SetDisplayList(const SMxDisplayList& list) {
    if (DUxDisplayListState* s = GetDisplayListState()) s->SetDisplayList(list);
}

// ---- compute and drawing

UTxResult DLxPartListTable::Compute(RDxComputeContext& ctx) {
    DLxTableStatePartlist* state = GetPartListTableState().get();
    if (!state) return {};
    if (IsPendingRefresh()) {
        DLxLocalBOM* bom = state->LocalBOM();
        const uint32_t status = bom ? bom->GetBOMStatus(false) : DLxLocalBOM::kStatusUnresolved;
        // A deferred drawing keeps its annotations as they were until it is asked to update.
        DLxDrawingDoc* doc = DrawingDocOf(this);
        if ((!doc || !doc->IsDocDeferred()) &&
            !(status & (DLxLocalBOM::kStatusUnresolved | DLxLocalBOM::kStatusError))) {
            ValidateSelectedMembers();
            state->RebuildRows(RSeRef<DLxPartListTable>(this));
            state->AdjustExtents(0);
            if (DLxDrawing* drawing = doc ? doc->GetDrawing() : nullptr)
                drawing->SetAnnotationUpdated(this);
        }
        SetPendingRefresh(false);
    }
    DUxTableStylePartsListWrapper wrapper(RSeRef<DUxTableStateBase>(state), {});
    SMxDisplayList* list = GetDisplayList();

    int32_t change = 0;
    if (const uint32_t id = RDxComputeContext::FindAttributeId(u"DLxSheetChangeTypeAttr");
        id && ctx.GetInt(id, change) && (change == 12 || change == 24 || change == 25)) {
        state->ApplyTextStyleToDataStrings();
        state->AdjustExtents(0);
    }
    if (list) {
        if (wrapper.GetHeading() == kFarEdgeHeading && state->GetDisplayOption() == 0 &&
            !list->IsEmpty())
            KeepFarEdge(*state, *list);
        // GenGraphics clears the list itself, unless it only redraws the rows that changed.
        DUxSceneUtil::DLItemSetLayerStyle(*list, DUxLayerStyleAbstract());
        state->GenGraphics(*list);
    }
    AddToLayer(kKeepAttributes);
    return {};
}

void DLxPartListTable::KeepFarEdge(DLxTableStatePartlist& state, const SMxDisplayList& list) {
    BBox drawn;
    list.ExtendBBox(drawn, WqGeMatrix3d());
    if (drawn.isEmpty()) return;
    const double h = drawn.max.y - drawn.min.y;
    const BBox extents = state.GetExtents(false);
    const double H = extents.isEmpty() ? 0.0 : extents.max.y - extents.min.y;
    if (h > kEdgeTol && std::fabs(H - h) > kEdgeTol) state.ApplyOriginMoveDueToRowChanges(H - h);
}

UTxResult DLxPartListTable::ProcessMessage(int32_t message) {
    if (message == 3) MarkEdited(true);
    return {};
}

bool DLxPartListTable::wakeUpToOnline() {
    DLxTableStatePartlist* state = GetPartListTableState().get();
    return state && state->DropRedundantOverrides();
}

// ---- styles and layers

SmartPtr<DUxLayerStyleAbstract> DLxPartListTable::ObjectStyleWrapper() {
    if (GetInputStateCount() < 2) return nullptr;
    return DUxStyleUtil::LayerStyleWrapper(dynamic_cast<DUxTableStateBase*>(GetInputState(1)));
}

void DLxPartListTable::AddToLayer(CleanUpDisposition disposition) {
    ApplyLayerStyles(disposition, true);
}

void DLxPartListTable::ApplyLayerStyles(int32_t cleanAttributes, bool colourLines) {
    SMxDisplayList* list = GetDisplayList();
    if (!list) return;
    if (cleanAttributes == kCleanAttributes) DUxSceneUtil::CleanAttrStackForLayers(*list);
    auto* state =
        GetInputStateCount() >= 2 ? dynamic_cast<DUxTableStateBase*>(GetInputState(1)) : nullptr;
    if (!state) return;
    SmartPtr<DUxLayerStyleAbstract> layer = ObjectStyleWrapper();
    if (layer) DUxSceneUtil::DLItemSetLayerStyle(*list, *layer);
    // The table's text styles carry no colour of their own: every text follows the layer, so
    // there is nothing to recolour item by item.
    (void)colourLines;
}

// ---- edit records

namespace {
// A manipulator record is (key text, value) pairs; a key that is missing or holds another
// kind of value stops the whole record.
struct RecordReader {
    const FBxObjectEditRecord& record;
    const FWxTranscriptValue& Find(const char16_t* key, FWxTranscriptValue::Kind kind) const {
        const auto& values = record.GetValues();
        for (size_t i = 0; i + 1 < values.size(); i += 2)
            if (values[i].GetKind() == FWxTranscriptValue::kString && values[i].GetText() == key) {
                const FWxTranscriptValue& v = values[i + 1];
                if (v.GetKind() == kind ||
                    (kind == FWxTranscriptValue::kReal && v.GetKind() == FWxTranscriptValue::kInt))
                    return v;
                break;
            }
        throw std::invalid_argument("edit record key");
    }
    double Real(const char16_t* key) const {
        return Find(key, FWxTranscriptValue::kReal).GetReal();
    }
    int32_t Int(const char16_t* key) const {
        return int32_t(Find(key, FWxTranscriptValue::kInt).GetInt());
    }
    WqGePoint3d Point(const char16_t* key) const {
        return Find(key, FWxTranscriptValue::kTriple).GetPoint();
    }
    WqGeVector3d Vector(const char16_t* key) const {
        return Find(key, FWxTranscriptValue::kTriple).GetVector();
    }
};
} // namespace

UTxResult DLxPartListTable::ApplyObjectEditRecord(const FBxObjectEditRecord& record) {
    DLxTableStatePartlist* state = GetPartListTableState().get();
    if (!state) return {};
    const RecordReader r{record};
    const UTxString16& name = record.GetKey();
    try {
        if (name == u"StretchTable") {
            const WqGePoint3d origin = r.Point(u"NewOrigin");
            (void)r.Int(u"NewDispOption");
            const WqGeVector3d stretch = r.Vector(u"NewStretchVector");
            (void)r.Real(u"NewHorizontalScale");
            (void)r.Real(u"NewVerticalScale");
            state->SetOrigin(origin);
            state->Stretch(stretch.x, stretch.y, stretch.z);
        } else if (name == u"MoveTableLine") {
            const double headerHeight = r.Real(u"NewColHeaderHeight");
            const double columnWidth = r.Real(u"NewColWidth");
            const double titleHeight = r.Real(u"NewHeadingHeight");
            (void)r.Real(u"NewHorizontalScale");
            const WqGePoint3d origin = r.Point(u"NewOrigin");
            const double rowHeight = r.Real(u"NewRowHeight");
            (void)r.Int(u"NewDispOption");
            const int32_t column = r.Int(u"ColumnIndex");
            const int32_t row = r.Int(u"RowIndex");
            state->SetOrigin(origin);
            state->SetColumnHeadingHeight(headerHeight);
            state->SetColumnWidth(column, columnWidth);
            state->SetTitleHeight(titleHeight);
            if (DUxTableRowBase* target = state->GetRow(row))
                target->SetHeight(std::max(state->GetMinRowHeight(row), rowHeight));
        } else if (name == u"TextItemEditor") {
            const WqGePoint3d origin = r.Point(u"NewOrigin");
            (void)r.Int(u"NewDispOption");
            (void)r.Int(u"NewSnapLocation");
            state->SetOrigin(origin);
        }
    } catch (const std::exception&) {
        // A record that cannot be read changes nothing; the manipulator's drag simply ends.
    }
    return {};
}

// ---- the table's own operations

bool DLxPartListTable::CanEdit(bool strict) const {
    // A drawing that defers its updates holds tables that may not match their bills.
    if (auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(this));
        doc && doc->IsDocDeferred())
        return false;
    DLxTableStatePartlist* state = GetPartListTableState().get();
    DLxLocalBOM* bom = state ? state->LocalBOM() : nullptr;
    if (!bom) return false;
    const uint32_t status = bom->GetBOMStatus(true);
    if (status & DLxLocalBOM::kStatusUnresolved) return false;
    return !strict || !(status & DLxLocalBOM::kStatusError);
}

void DLxPartListTable::SetFilterList(const DUxTableRowFilterList& filters) {
    DLxTableStatePartlist* state = GetPartListTableState().get();
    if (!state) return;
    state->SetFilterList(filters);
    InitAnnoUpdateState(nullptr);
    RebindDesignView();
}

void DLxPartListTable::SetTitle(const UTxString16& title) {
    DLxTableStatePartlist* state = GetPartListTableState().get();
    if (!state) return;
    DUxTableStylePartsListWrapper wrapper(RSeRef<DUxTableStateBase>(state), {});
    if (!wrapper.Style().get()) return;
    wrapper.SetTitle(title);
    RSeNotifier::NotifyOf(kTitleChangedEvent, RSeRef<DLxPartListTable>(this));
}

void DLxPartListTable::RegisterAnnotation(RSeIDed* sheet) {
    DLxTableStatePartlist* state = GetPartListTableState().get();
    DLxLocalBOM* bom = state ? state->LocalBOM() : nullptr;
    if (sheet && bom) bom->RegisterAnnotation(sheet, this, true);
}

void DLxPartListTable::InitAnnoUpdateState(RSeIDed* update) {
    DLxTableStatePartlist* state = GetPartListTableState().get();
    if (!state) return;
    auto* anno = dynamic_cast<DLxAnnotationUpdateState*>(update);
    if (!anno) {
        DLxLocalBOM* bom = state->LocalBOM();
        if (!bom || !bom->GetAnnotationState(this, anno)) anno = nullptr;
    }
    if (!anno) return;
    anno->SetUpdateType(2);
    auto* data = dynamic_cast<DLxPartListUpdateData*>(anno->GetAnnoSpecificData());
    if (!data) {
        data = new (RSe::_GetMeta(static_cast<const DLxPartListUpdateData*>(nullptr)),
                    anno->GetSegment()) DLxPartListUpdateData(false);
        anno->SetAnnoSpecificData(data);
    }
    DUxTableRowFilterList* filters = state->GetFilterList();
    data->SetInterestedInBalloonChanges(
        filters && filters->GetFilterOfType(DUxTableRowFilter::FilterType(3), true) != nullptr);
}

void DLxPartListTable::ValidateSelectedMembers() {
    DLxTableStatePartlist* state = GetPartListTableState().get();
    DLxLocalBOM* bom = state ? state->LocalBOM() : nullptr;
    const GBxBOMDescriptor* descriptor = bom ? bom->GetDescriptor() : nullptr;
    if (!descriptor) return;
    const std::vector<std::u16string> factory = descriptor->GetBOMFactoryMembers();
    const std::vector<UTxString16>& selected = state->GetSelectedMembers();
    std::vector<UTxString16> kept;
    for (const UTxString16& name : selected)
        if (std::find(factory.begin(), factory.end(), name) != factory.end()) kept.push_back(name);
    bool hide = state->GetHideZeroQuantityRows();
    if (kept.empty() && !factory.empty() &&
        (selected.size() == 1 || bom->IsAssemblyBased() ||
         (state->GetFlags() & DLxTableStatePartlist::kSeveralMembers))) {
        std::u16string active = descriptor->GetActiveFactoryMember();
        kept.push_back(active.empty() ? factory.front() : active);
        hide = true;
    }
    if (kept.size() == selected.size() &&
        std::all_of(selected.begin(), selected.end(), [&](const UTxString16& n) {
            return std::find(kept.begin(), kept.end(), n) != kept.end();
        }))
        return;
    state->SetSelectedMembers(kept, hide);
}
