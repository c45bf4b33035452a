// Naming a parts list in a transcript: its key is the key class text and the point of the
// table's origin ("DLxPartListTable#<x>,<y>"); a replay finds the table again by picking at
// that point with a parts-list filter and taking the first parts list the pick yields. A key
// this program writes adds the table's id ("#<id>"): the table with that id and origin comes
// first, then the first table whose origin is exactly the point, so that a table on another's
// border, or sharing its origin, is still found.
#include "BofM/DLxPartListTableONKTranslator.h"

#include "BofM/DLxPartListFilter.h"
#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTDXUtil.h"
#include "fw/FWxSelection.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeMeta.h"
#include "utx/UTxUtil.h"

namespace {
// The key class text, read once for the life of the process.
const UTxString16& KeyText() {
    static const UTxString16 text = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto found =
            res ? FindStringResource(res, DLxPartListTableONKTranslator::kKeyTextId) : std::nullopt;
        return found ? UTxString16(*found) : UTxString16(u"DLxPartListTable");
    }();
    return text;
}

// Exact: the key holds the origin's own digits.
constexpr double kPickTolerance = 1e-9;

const DLxPartListTableONKTranslator g_translator(DLxPartListTableONKTranslator::kKeyTextId);
} // namespace

bool DLxPartListTable::BuildObjectNameKey(FBxObjectNameKey& key, bool) const {
    RSeRef<DLxTableStatePartlist> state = GetPartListTableState();
    if (!state) return false;
    // The sheet is not part of the key: the pick looks through every sheet.
    const WqGePoint3d& origin = state->GetOrigin();
    key = FBxObjectNameKey(KeyText() + u"#" + FBxObjectNameKey::PointRest(origin));
    return true;
}

DLxSheet* DLxPartListTable::GetObjectNameKeyParent() const {
    return dynamic_cast<DLxSheet*>(GetFragment().get());
}

// The point a table's key names: its origin.
bool DLxPartListTableONKTranslator::KeyPoint(const RSeIDed& obj, WqGePoint3d& key) const {
    auto* table = dynamic_cast<const DLxPartListTable*>(&obj);
    RSeRef<DLxTableStatePartlist> state = table ? table->GetPartListTableState() : nullptr;
    if (!state) return false;
    key = state->GetOrigin();
    return true;
}

const char16_t* DLxPartListTableONKTranslator::NotOfTheKind() const {
    return u"not a parts list with a state";
}

RSeIDed* DLxPartListTableONKTranslator::Pick(FWxSceneDoc* doc, const WqGePoint3d& point) const {
    return TranslateKey(doc, point);
}

SmartPtr<DLxPartListSelection>
DLxPartListTableONKTranslator::FindSelection(FWxSceneDoc* doc, const WqGePoint3d& point) {
    FWxSelectionSet set;
    FWxSelectionFilter filter;
    filter.Clear();
    filter.Add(new DLxPartListFilter(DLxPartListFilter::ESubType(1)));
    DLxTDXUtil::GetSelection(doc, WqGePoint3d(point.x, point.y, 0), set, filter, kPickTolerance);
    if (set.IsEmpty()) return nullptr;
    for (const SmartPtr<FWxSelection>& sel : set)
        if (auto* list = dynamic_cast<DLxPartListSelection*>(sel.get()))
            return SmartPtr<DLxPartListSelection>(list);
    return nullptr;
}

DLxPartListTable* DLxPartListTableONKTranslator::TranslateKey(FWxSceneDoc* doc,
                                                              const WqGePoint3d& point) {
    SmartPtr<DLxPartListSelection> sel = FindSelection(doc, point);
    return sel ? sel->GetInstance() : nullptr;
}

void DLxPartListTableONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(
        RSe::_InitMeta(static_cast<const DLxPartListTable*>(nullptr))->GetName(), &g_translator);
}
