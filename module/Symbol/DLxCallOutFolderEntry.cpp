#include "Symbol/DLxCallOutFolderEntry.h"

#include <algorithm>

#include "BofM/DLxPartListSelection.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutSelection.h"
#include "Symbol/DLxCallOutState.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "br/BRxAbsPath.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSelectCmd.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "dl/DLxUIUtil.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSelection.h"
#include "rse/RSeTransaction.h"

// ---- the folder

DLxCallOutFolderEntry::DLxCallOutFolderEntry(const RSeStream* s) : BRxFixedEntry(s) {}

DLxCallOutFolderEntry::DLxCallOutFolderEntry(const std::u16string& name, BRxEntry* sheetEntry)
    : BRxFixedEntry(DLxDrawingDoc::GetEntryType(DLxDrawingDoc::kCallOutFolderEntry), name,
                    sheetEntry, sheetEntry ? sheetEntry->Subject() : RSeRefBase(), RSeRefBase(),
                    true) {
    // Its entries name the folder as their parent: the folder stands for itself.
    SetSubject(RSeRefBase(this));
}

std::vector<BRxEntry*> DLxCallOutFolderEntry::GetOrder() const {
    std::vector<BRxEntry*> out;
    for (const RSeRef<BRxEntry>& e : m_order)
        if (BRxEntry* entry = e.get()) out.push_back(entry);
    return out;
}

void DLxCallOutFolderEntry::SetOrder(const std::vector<BRxEntry*>& order) {
    RSe::PrepareWrite(this);
    m_order.clear();
    for (BRxEntry* e : order)
        m_order.emplace_back(e);
    ReorderChildren(order);
}

void DLxCallOutFolderEntry::Append(BRxEntry* entry) {
    if (!entry) return;
    RSe::PrepareWrite(this);
    m_order.emplace_back(entry);
}

void DLxCallOutFolderEntry::Remove(BRxEntry* entry) {
    RSe::PrepareWrite(this);
    std::erase_if(m_order, [&](const RSeRef<BRxEntry>& e) { return e.get() == entry; });
}

std::u16string DLxCallOutFolderEntry::Text() const {
    static const std::u16string text = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto found = res ? FindStringResource(res, kTextId) : std::nullopt;
        return found ? std::u16string(*found) : std::u16string(u"Sketched Symbols");
    }();
    return text;
}

SmartPtr<FWxSelection> DLxCallOutFolderEntry::CreateSelection(const BRxAbsPath& path) {
    BRxAbsPath own = path;
    own.Push(this);
    return SmartPtr<FWxSelection>(new DLxBrowserEntrySelection(this, own));
}

void DLxCallOutFolderEntry::ArrangeChildren() {
    ReorderChildren(GetOrder());
}

// ---- a symbol's entry

DLxCallOutInstEntry::DLxCallOutInstEntry(const RSeStream* s) : BRxFixedEntry(s) {}

DLxCallOutInstEntry::DLxCallOutInstEntry(const std::u16string& name, DLxCallOutFolderEntry* folder,
                                         DLxCallOutInstance* symbol)
    : BRxFixedEntry(DLxDrawingDoc::GetEntryType(DLxDrawingDoc::kCallOutInstEntry), name, folder,
                    RSeRefBase(symbol), RSeRefBase(), true) {}

DLxCallOutInstance* DLxCallOutInstEntry::GetSymbol() const {
    return Subject().IsLoaded() ? dynamic_cast<DLxCallOutInstance*>(Subject().GetTarget())
                                : nullptr;
}

int32_t DLxCallOutInstEntry::Icon() const {
    DLxCallOutInstance* symbol = GetSymbol();
    DLxCallOutState* state = symbol ? symbol->GetCallOutState() : nullptr;
    return state && state->GetStatic() ? kStaticIcon : kIcon;
}

bool DLxCallOutInstEntry::CanRename() const {
    DLxCallOutInstance* symbol = GetSymbol();
    return BRxFixedEntry::CanRename() && symbol && symbol->GetSheet();
}

UTxResult DLxCallOutInstEntry::Activate() {
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(this));
    DLxCallOutInstance* symbol = GetSymbol();
    if (!doc || DLxUIUtil::IsSketchActive(doc) || !symbol) return {};
    // The document's pre-selection: the select command's selections.
    FWxSelectionSet* set = doc->GetSelectCmd() ? doc->GetSelectCmd()->GetSelectionSet() : nullptr;
    if (!set || set->Count() != 1) return {};
    auto* selection = dynamic_cast<DLxCallOutSelection*>(set->begin()->get());
    if (selection && symbol->GetSheet() == static_cast<RDxFragment*>(DLxAnnotationUtil::GetActiveSheetInstance(doc)))
        doc->PostCommand(kActivateCommand);
    return {};
}

SmartPtr<FWxSelection> DLxCallOutInstEntry::CreateSelection(const BRxAbsPath& path) {
    BRxAbsPath own = path;
    own.Push(this);
    DLxCallOutInstance* symbol = GetSymbol();
    if (symbol && symbol->GetSheet() &&
        dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(this))) {
        auto* selection = new DLxCallOutSelection(symbol, symbol->GetKeyPoint());
        selection->SetEntry(this);
        return SmartPtr<FWxSelection>(selection);
    }
    return SmartPtr<FWxSelection>(new DLxBrowserEntrySelection(this, own));
}
