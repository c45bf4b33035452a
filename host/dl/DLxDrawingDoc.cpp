#include "dl/DLxDrawingDoc.h"

#include <algorithm>
#include <unordered_set>

#include "br/BRxDocManager.h"
#include "br/BRxFixedEntry.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxConstraint.h"
#include "dc/RDxState.h"
#include "dl/DLxAssemblyCheck.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingAssembly.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSelectCmd.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxTableStateBase.h"
#include "fw/FWxStyle.h"
#include "ge/BBox.h"
#include "rd/RDxComponent.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

DLxDrawingDoc::DLxDrawingDoc() : m_select(std::make_unique<DLxSelectCmd>(this)) {
    new (RSe::_GetMeta(static_cast<const DLxDrawing*>(nullptr)), GetRSeDb()->GetSegment(0))
        DLxDrawing();
}

DLxDrawingDoc::DLxDrawingDoc(std::unique_ptr<RSeDatabase> db)
    : FWxSceneDoc(std::move(db)), m_select(std::make_unique<DLxSelectCmd>(this)) {}

UTxResult DLxDrawingDoc::Open(const std::string& path, std::unique_ptr<DLxDrawingDoc>& out) {
    out.reset();
    std::unique_ptr<RSeDatabase> db;
    UTxResult r = RSeDatabase::Load(path, db);
    if (r.Failed()) return r;
    out = std::make_unique<DLxDrawingDoc>(std::move(db));
    return r;
}

UTxResult DLxDrawingDoc::Save(const std::string& path) {
    return GetRSeDb()->Save(path);
}

DLxDrawingDoc::~DLxDrawingDoc() = default;

namespace {
// Icons are image indices of the browser's image list: one per kind of entry.
const BRxFixedEntryType s_drawingType(DLxDrawingDoc::kDrawingEntry, u"Drawing", 100);
const BRxFixedEntryType s_sheetType(DLxDrawingDoc::kSheetEntry, u"Sheet", 101);
const BRxFixedEntryType s_viewType(DLxDrawingDoc::kViewEntry, u"View", 102);
const BRxFixedEntryType s_partsListType(DLxDrawingDoc::kPartsListEntry, u"Parts List", 114);
const BRxFixedEntryType s_callOutFolderType(DLxDrawingDoc::kCallOutFolderEntry,
                                            u"Sketched Symbols", 5851);
const BRxFixedEntryType s_callOutInstType(DLxDrawingDoc::kCallOutInstEntry, u"Sketched Symbol",
                                          5909);
} // namespace

const BRxFixedEntryType* DLxDrawingDoc::GetEntryType(int32_t type) {
    switch (type) {
    case kDrawingEntry:
        return &s_drawingType;
    case kSheetEntry:
        return &s_sheetType;
    case kViewEntry:
        return &s_viewType;
    case kPartsListEntry:
        return &s_partsListType;
    case kCallOutFolderEntry:
        return &s_callOutFolderType;
    case kCallOutInstEntry:
        return &s_callOutInstType;
    default:
        return nullptr;
    }
}

std::vector<std::u16string> DLxDrawingDoc::GetDesignViewNames(const RDxComponent* component) const {
    const DLxAssemblyData* assembly = GetAssembly();
    if (!assembly || !component) return {};
    for (const DLxAssemblyComponent& c : assembly->components)
        if (c.id == component->GetComponentId()) return c.representations;
    return {};
}

BRxDocManager* DLxDrawingDoc::GetBrowser() {
    if (!m_browser) m_browser = std::make_unique<BRxDocManager>();
    m_browser->BeginRebuild(&s_drawingType, u"Drawing");
    for (DLxSheet* sheet : GetSheets()) {
        BRxFixedEntry* entry = m_browser->AddEntry(&s_sheetType, sheet->GetName(), nullptr, sheet);
        for (DLxViewInstance* view : sheet->GetViews())
            m_browser->AddEntry(&s_viewType, view->GetName(), entry, view);
    }
    m_browser->FinishRebuild(GetRSeDb());
    return m_browser.get();
}

BRxEntry* DLxDrawingDoc::GetEntry(const RSeIDed* object) {
    return object ? GetBrowser()->Find(object) : nullptr;
}

FWxDocCmd* DLxDrawingDoc::GetStaticCommand() const {
    return m_select.get();
}

DLxSheet* DLxDrawingDoc::CreateSheet(const UTxString16& name, double width, double height) {
    if (name.empty() || FindSheet(name)) return nullptr;
    return MakeSheet(name, width, height);
}

std::vector<DLxSheet*> DLxDrawingDoc::CreateSheets(const std::vector<SheetSpec>& specs) {
    std::unordered_set<UTxString16> names;
    for (DLxSheet* sheet : GetSheets())
        names.insert(sheet->GetName());
    for (const SheetSpec& spec : specs)
        if (spec.name.empty() || !names.insert(spec.name).second) return {};
    std::vector<DLxSheet*> made;
    made.reserve(specs.size());
    for (const SheetSpec& spec : specs)
        made.push_back(MakeSheet(spec.name, spec.width, spec.height));
    return made;
}

DLxSheet* DLxDrawingDoc::MakeSheet(const UTxString16& name, double width, double height) {
    RSeSegment* seg = GetRSeDb()->CreateSegment(u"Sheet:" + name);
    auto* sheet = new (RSe::_GetMeta(static_cast<const DLxSheet*>(nullptr)), seg) DLxSheet();
    sheet->SetName(name);
    sheet->SetSize(width, height);
    // Annotations on a sheet report what they find wrong with it.
    sheet->SetFlag(RDxObject::kCollectDiagnosesFlag);
    return sheet;
}

std::vector<DLxSheet*> DLxDrawingDoc::GetSheets() const {
    std::vector<DLxSheet*> out;
    for (uint32_t i = 0; i < GetRSeDb()->GetSegmentCount(); ++i)
        if (auto* sheet = dynamic_cast<DLxSheet*>(GetRSeDb()->GetSegment(i)->GetRootObject()))
            out.push_back(sheet);
    return out;
}

DLxSheet* DLxDrawingDoc::FindSheet(const UTxString16& name) const {
    for (DLxSheet* sheet : GetSheets())
        if (sheet->GetName() == name) return sheet;
    return nullptr;
}

FWxStyle* DLxDrawingDoc::FindStyle(const RSeMetaType* meta, const UTxString16& name) const {
    DLxDrawing* drawing = GetDrawing();
    return drawing ? drawing->FindStyle(meta, name) : nullptr;
}

UTxString16 DLxDrawingDoc::GetStandardName() const {
    DLxDrawing* drawing = GetDrawing();
    return drawing ? drawing->GetStandardName() : UTxString16();
}

std::vector<FWxStyle*> DLxDrawingDoc::GetStyles() const {
    std::vector<FWxStyle*> out;
    if (DLxDrawing* drawing = GetDrawing())
        for (const RSeRef<FWxStyle>& s : drawing->GetStyles())
            if (FWxStyle* style = s.get()) out.push_back(style);
    return out;
}

bool DLxDrawingDoc::AddStyle(FWxStyle* style) {
    DLxDrawing* drawing = GetDrawing();
    return drawing && drawing->AddStyle(style);
}

RSeIDed* DLxDrawingDoc::GetRootObject() const {
    return GetDrawing();
}

void DLxDrawingDoc::PostUpdateStyle(const RSeRef<FWxStyle>& style, bool) {
    const FWxStyle* changed = style.get();
    if (!changed) return;
    const auto takesStyle = [changed](const RDxNode* node) {
        const auto* state = dynamic_cast<const DUxTableStateBase*>(node);
        return state && state->GetStyle() == changed;
    };
    for (DLxSheet* sheet : GetSheets()) {
        bool touched = false;
        for (const RSeRef<RDxNode>& n : sheet->GetNodes()) {
            RDxNode* node = n.get();
            // A table is drawn by the instance that reads its state.
            bool reads = takesStyle(node);
            if (const auto* constraint = dynamic_cast<const RDxConstraint*>(node))
                for (const RSeRef<RDxState>& input : constraint->GetInputStates())
                    reads = reads || takesStyle(input.get());
            if (!reads) continue;
            node->MarkEdited();
            touched = true;
        }
        if (!touched) continue;
        RDxComputeContext ctx;
        (void)sheet->Recompute(ctx);
    }
}

DLxDrawing* DLxDrawingDoc::GetDrawing() const {
    // Through the segment's index by kind: requests ask for the drawing's styles and standard,
    // and a walk over the segment would cost what the document holds.
    const std::vector<RSeVMeta*> found = GetRSeDb()->GetSegment(0)->GetObjectsOfKind(
        RSe::_GetMeta(static_cast<const DLxDrawing*>(nullptr)));
    return found.empty() ? nullptr : static_cast<DLxDrawing*>(found.front());
}

DLxDrawingAssembly* DLxDrawingDoc::FindAssembly() const {
    return DLxDrawingAssembly::Find(GetRSeDb());
}

const DLxAssemblyData* DLxDrawingDoc::GetAssembly() const {
    const DLxDrawingAssembly* assembly = FindAssembly();
    return assembly ? &assembly->GetData() : nullptr;
}

bool DLxDrawingDoc::SetAssembly(const DLxAssemblyData& data) {
    if (!DLxAssemblyCheck::Check(data).Empty()) return false;
    DLxDrawingAssembly* assembly = FindAssembly();
    if (data.Empty()) {
        if (assembly) RSe::DeleteObject(assembly);
        FollowAssembly();
        return true;
    }
    if (!assembly)
        assembly = new (RSe::_GetMeta(static_cast<const DLxDrawingAssembly*>(nullptr)),
                        GetRSeDb()->GetSegment(0)) DLxDrawingAssembly();
    assembly->SetData(data);
    FollowAssembly();
    return true;
}

void DLxDrawingDoc::FollowAssembly() {
    // The bills derive their rows from the model: they read it afresh.
    for (DLxLocalBOM* bom : DLxLocalBOMMgr::GetLocalBOMs(GetRSeDb()))
        bom->FollowDrawing();
}

DLxSheet* DLxDrawingDoc::GetActiveSheet() const {
    auto* active = dynamic_cast<DLxSheet*>(m_activeSheet.GetTarget());
    if (active) return active;
    const std::vector<DLxSheet*> sheets = GetSheets();
    return sheets.empty() ? nullptr : sheets.front();
}

void DLxDrawingDoc::SetActiveSheet(DLxSheet* sheet) {
    m_activeSheet = RSeRefBase(sheet);
}

std::vector<RSeIDed*> DLxDrawingDoc::PickObjects(const WqGePoint3d& point, double tol) const {
    DLxSheet* sheet = GetActiveSheet();
    if (!sheet) return {};
    std::vector<std::pair<double, DLxViewInstance*>> hits;
    const WqGePoint3d at(point.x, point.y, 0.0);
    for (DLxViewInstance* view : sheet->GetViews()) {
        BBox box = view->GetSheetBBox();
        if (box.isEmpty()) continue;
        box.expand(tol);
        if (!box.contains(at)) continue;
        const WqGePoint3d c = view->GetViewCenter();
        const double dx = c.x - at.x, dy = c.y - at.y;
        hits.emplace_back(dx * dx + dy * dy, view);
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<RSeIDed*> out;
    for (const auto& [d, view] : hits) out.push_back(view);
    return out;
}
