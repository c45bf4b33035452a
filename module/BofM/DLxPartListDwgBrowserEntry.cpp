#include "BofM/DLxPartListDwgBrowserEntry.h"

#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "br/BRxAbsPath.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "du/DUxTableStyle.h"
#include "fw/FWxDocUtil.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxBrowserUtil.h"
#include "utx/UTxResult.h"

namespace {
std::u16string ResourceText(uint32_t id) {
    HMODULE res = KorvuGetResourceHandle();
    if (!res) return {};
    auto text = FindStringResource(res, id);
    return text ? std::u16string(*text) : std::u16string();
}

// The last part of a repository path, whichever separator it uses.
std::u16string FileNamePart(const std::u16string& path) {
    const size_t slash = path.find_last_of(u"/\\");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

constexpr uint32_t kUnresolvedMessage = 0x600E076A;
} // namespace

DLxPartListDwgBrowserEntry::DLxPartListDwgBrowserEntry(const RSeStream* s) : BRxFixedEntry(s) {}

DLxPartListDwgBrowserEntry::DLxPartListDwgBrowserEntry(const BRxFixedEntryType* type,
                                                       const std::u16string& name, BRxEntry* parent,
                                                       const RSeRefBase& subject,
                                                       const RSeRefBase& second, bool)
    : BRxFixedEntry(type, name, parent, subject, second, true) {
    StartObservingSubject();
    FileNameText();
}

DLxPartListTable* DLxPartListDwgBrowserEntry::Table() const {
    return dynamic_cast<DLxPartListTable*>(Subject().GetTarget());
}

DLxLocalBOM* DLxPartListDwgBrowserEntry::GetLocalBOM() const {
    if (!m_localBOM) m_localBOM = DLxLocalBOMMgr::GetLocalBOM(Subject().GetTarget());
    return m_localBOM.get();
}

DLxAnnotationUpdateState* DLxPartListDwgBrowserEntry::GetUpdateState() const {
    if (!m_updateState)
        if (DLxLocalBOM* bom = GetLocalBOM())
            m_updateState = bom->FindAnnotationUpdateState(Subject().GetTarget());
    return m_updateState.get();
}

bool DLxPartListDwgBrowserEntry::NeedsUpdate() const {
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(this));
    if (!doc || !doc->IsDocDeferred()) return false;
    const DLxAnnotationUpdateState* update = GetUpdateState();
    bool needs = update && update->IsDirty();
    if (const DLxLocalBOM* bom = GetLocalBOM())
        needs = needs || (bom->GetBOMStatus(false) & (DLxLocalBOM::kStatusUpdateRequired |
                                                      DLxLocalBOM::kStatusUpdateRequiredAll)) != 0;
    return needs;
}

std::u16string DLxPartListDwgBrowserEntry::TitleText() const {
    if (!Subject().IsLoaded()) return Name();
    DLxPartListTable* table = Table();
    if (!table) return {};
    RSeRef<DLxTableStatePartlist> state = table->GetPartListTableState();
    if (!state) return {};
    DUxTableStylePartsListWrapper wrapper(RSeRef<DUxTableStateBase>(state.get()), nullptr);
    if (!wrapper.Style()) return {};
    const std::u16string title = wrapper.GetTitle();
    // The label follows the style: a renamed title renames the entry.
    if (title != Name()) const_cast<DLxPartListDwgBrowserEntry*>(this)->Rename(title);
    return title;
}

std::u16string DLxPartListDwgBrowserEntry::FileNameText() const {
    if (m_fileNameStale || m_fileName.empty()) {
        if (DLxLocalBOM* bom = GetLocalBOM()) {
            // The bill's source document is its master component's.
            if (const DLxAssemblyComponent* master = bom->GetMasterComponent()) {
                m_fileName = FileNamePart(master->path);
                m_fileNameStale = false;
            }
        }
    }
    return m_fileName;
}

int32_t DLxPartListDwgBrowserEntry::StateIcon() const {
    const DLxLocalBOM* bom = GetLocalBOM();
    if (!bom) return UCxBrowserUtil::ErrorIcon();
    const uint32_t status = bom->GetBOMStatus(false);
    if (status & DLxLocalBOM::kStatusUnresolved) return UCxBrowserUtil::UnresolvedIcon();
    if ((status & DLxLocalBOM::kStatusError) || HasError()) return UCxBrowserUtil::ErrorIcon();
    if (NeedsUpdate()) return UCxBrowserUtil::UpdateRequiredIcon();
    if (bom->IsAnyOfDetailIDsOverriden()) return UCxBrowserUtil::RefdDocNeedsUpdateIcon();
    const BRxFixedEntryType* type = GetType();
    return type ? type->StateIcon() : UCxBrowserUtil::kNoStateIcon;
}

int32_t DLxPartListDwgBrowserEntry::Icon() const {
    const DLxLocalBOM* bom = GetLocalBOM();
    return bom && bom->IsLegacyBOM() ? kLegacyIcon : kIcon;
}

std::u16string DLxPartListDwgBrowserEntry::Text() const {
    std::u16string text = TitleText();
    if (text.empty()) text = ResourceText(8163);
    const std::u16string file = FileNameText();
    if (!file.empty()) text += u":" + file;
    return text;
}

std::u16string DLxPartListDwgBrowserEntry::StateIconTooltip() const {
    const DLxLocalBOM* bom = GetLocalBOM();
    if (!bom) return BRxFixedEntry::StateIconTooltip();
    const uint32_t status = bom->GetBOMStatus(false);
    if (status & DLxLocalBOM::kStatusUnresolved) {
        const std::u16string message = UTx::LoadUTxMessage(kUnresolvedMessage);
        return message.empty() ? ResourceText(kUnresolvedMessage) : message;
    }
    if (status & DLxLocalBOM::kStatusError) return ResourceText(8178);
    if (HasError()) {
        std::u16string text = ResourceText(8177);
        const size_t at = text.find(u"%s");
        const std::u16string description = DLxLocalBOM::GetErrorDescription(m_status);
        if (at != std::u16string::npos) text.replace(at, 2, description);
        return text;
    }
    return BRxFixedEntry::StateIconTooltip();
}

bool DLxPartListDwgBrowserEntry::CanRename() const {
    if (!Subject().IsLoaded()) return false;
    DLxPartListTable* table = Table();
    // A table on a sheet is what the browser can show and rename.
    return table && table->GetFragment();
}

std::u16string DLxPartListDwgBrowserEntry::EditableText() const {
    return TitleText();
}

UTxResult DLxPartListDwgBrowserEntry::Activate() {
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(this));
    if (doc && doc->PermittedCommand(1)) doc->PostCommand(kEditCommand);
    return {};
}

SmartPtr<FWxSelection> DLxPartListDwgBrowserEntry::CreateSelection(const BRxAbsPath& path) {
    BRxAbsPath own = path;
    own.Push(this);
    DLxPartListTable* table = Subject().IsLoaded() ? Table() : nullptr;
    if (table && table->GetFragment())
        return SmartPtr<FWxSelection>(new DLxPartListBrowserSelection(table, own));
    return SmartPtr<FWxSelection>(new DLxBrowserEntrySelection(this, own));
}

bool DLxPartListDwgBrowserEntry::OnEvent(const RSeEvent* event) {
    if (!event) return false;
    switch (event->Event()) {
    case 1:
    case 2:
        SetModified();
        break;
    case 3:
        if (Subject().IsLoaded())
            if (DLxPartListTable* table = Table())
                if (RSeRef<DLxTableStatePartlist> state = table->GetPartListTableState())
                    if (state->GetBOMStatus() != m_status) {
                        if (GetSegment()) RSe::PrepareWrite(this);
                        m_status = state->GetBOMStatus();
                        SetModified();
                    }
        break;
    case 4:
        if (Subject().IsLoaded() && TitleText() != Name()) SetModified();
        break;
    default:
        break;
    }
    return false;
}

RSeNotifierEventMask DLxPartListDwgBrowserEntry::GetEventSet(int32_t& timing) const {
    constexpr uint32_t kPattern = 0x2aaaaaaa;
    timing = 1;
    return RSeNotifierEventMask::Field(1, kPattern) | RSeNotifierEventMask::Field(2, kPattern) |
           RSeNotifierEventMask::Field(3, kPattern) | RSeNotifierEventMask::Field(4, kPattern);
}

std::u16string DLxPartListDwgBrowserEntry::GetHowToHelp() const {
    return u"DL_Parts_List";
}
