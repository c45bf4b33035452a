#include "BofM/DLxPartListSelection.h"

#include "BofM/DLxPartListTable.h"
#include "br/BRxDocManager.h"
#include "br/BRxFixedEntry.h"
#include "dc/RDxFragment.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxSceneUtil.h"
#include "du/DUxTableDispIDs.h"
#include "fw/FWxDocUtil.h"
#include "sm/SMxDisplayList.h"

namespace {
DLxDrawingDoc* DrawingOf(const DLxPartListTable* table) {
    return table ? dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(table)) : nullptr;
}
} // namespace

DLxPartListSelection::DLxPartListSelection(DLxPartListTable* table, const WqGePoint3d& point)
    : DUxEmblemSelection(table, point) {}

DLxPartListTable* DLxPartListSelection::GetInstance() const {
    return dynamic_cast<DLxPartListTable*>(Emblem());
}

DLxPartListSelection::Pick DLxPartListSelection::GetManipulator(bool multipleSelections) const {
    return multipleSelections ? DefaultEditor() : m_pick;
}

bool DLxPartListSelection::IsEqual(const FWxSelection* other) const {
    auto* o = dynamic_cast<const DLxPartListSelection*>(other);
    return o && o->GetInstance() && o->GetInstance() == GetInstance();
}

bool DLxPartListSelection::Draw(SMxDisplayList& out, bool highlight) const {
    DLxPartListTable* table = GetInstance();
    DLxDrawingDoc* doc = DrawingOf(table);
    if (!doc || !table->GetFragment()) return false;
    // Only the sheet on screen shows a highlight; a table elsewhere stays as it is.
    if (table->GetFragment().get() != static_cast<RDxFragment*>(doc->GetActiveSheet()))
        return false;
    SMxDisplayList drawn = table->GetDisplayList() ? *table->GetDisplayList() : SMxDisplayList();
    DUxSceneUtil::DLItemProcessHilite(drawn, highlight);
    out = std::move(drawn);
    return true;
}

DLxPartListBrowserSelection::DLxPartListBrowserSelection(DLxPartListTable* table,
                                                         const BRxAbsPath& path)
    : DLxPartListSelection(table, WqGePoint3d(0, 0, 0)), m_path(path) {}

const BRxAbsPath* DLxPartListBrowserSelection::GetBrowserPath() {
    if (m_path.IsValid()) return &m_path;
    DLxPartListTable* table = GetInstance();
    DLxDrawingDoc* doc = DrawingOf(table);
    if (!doc) return nullptr;
    BRxEntry* entry = doc->GetEntry(table);
    if (!entry) return nullptr;
    BRxDocManager* browser = doc->GetBrowser()->GetPathTranslator();
    BRxAbsPath path(browser);
    path.Push(browser->GetRoot());
    path.Push(entry);
    m_path = path;
    return &m_path;
}

SmartPtr<DLxPartListSelection>
DLxPartListSelector::OnItemSelection(int32_t, const WqGePoint3d& point) const {
    if (!m_table) return nullptr;
    return SmartPtr<DLxPartListSelection>(new DLxPartListSelection(m_table, point));
}

SmartPtr<DLxPartListSelection>
DLxPartListSelector::OnGripSelection(int32_t itemId, const WqGePoint3d& point) const {
    SmartPtr<DLxPartListSelection> sel = OnItemSelection(itemId, point);
    // Unsigned, so that a negative id is no grip either.
    if (sel && uint32_t(itemId) < uint32_t(DUxTableDispIDs::kHotPointCount)) {
        DLxPartListSelection::Pick pick;
        pick.kind = DLxPartListSelection::Pick::kStretch;
        pick.hotPoint = itemId;
        sel->SetPick(pick);
    }
    return sel;
}

SmartPtr<DLxPartListSelection>
DLxPartListSelector::OnTableLineSelection(int32_t itemId, const WqGePoint3d& point) const {
    SmartPtr<DLxPartListSelection> sel = OnItemSelection(itemId, point);
    int32_t first = 0, second = 0, third = 0, fourth = 0;
    if (sel && DUxTableDispIDs::InterpretLineItemId(itemId, first, second, third, fourth)) {
        // The line manipulator takes them as category, side, column, row.
        DLxPartListSelection::Pick pick;
        pick.kind = DLxPartListSelection::Pick::kLine;
        pick.category = first;
        pick.side = second;
        pick.column = fourth;
        pick.row = third;
        sel->SetPick(pick);
    }
    return sel;
}

SmartPtr<DLxPartListSelection>
DLxPartListSelector::OnTableTextSelection(int32_t itemId, const WqGePoint3d& point) const {
    SmartPtr<DLxPartListSelection> sel = OnItemSelection(itemId, point);
    int32_t type = 0, row = 0, column = 0;
    if (sel && DUxTableDispIDs::InterpretTextItemId(itemId, type, row, column)) {
        DLxPartListSelection::Pick pick;
        pick.kind = DLxPartListSelection::Pick::kText;
        pick.type = type;
        pick.row = row;
        pick.column = column;
        sel->SetPick(pick);
    }
    return sel;
}

SmartPtr<CountedCObj> CreatePartListSelection(FWxSceneDoc*, const RSeRefBase& obj) {
    auto* table = dynamic_cast<DLxPartListTable*>(obj.GetTarget());
    if (!table) return nullptr;
    return SmartPtr<CountedCObj>(new DLxPartListSelection(table, WqGePoint3d(0, 0, 0)));
}
