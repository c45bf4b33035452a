#include "br/BRxFixedEntry.h"

#include <map>

#include "fw/FWxSelection.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxBrowserUtil.h"

namespace {
std::map<int32_t, const BRxFixedEntryType*>& Types() {
    static auto* types = new std::map<int32_t, const BRxFixedEntryType*>;
    return *types;
}
} // namespace

BRxFixedEntryType::BRxFixedEntryType(int32_t id, std::u16string name, int32_t icon)
    : m_id(id), m_name(std::move(name)), m_icon(icon) {
    Types().emplace(id, this);
}

BRxFixedEntryType::~BRxFixedEntryType() {
    if (auto it = Types().find(m_id); it != Types().end() && it->second == this) Types().erase(it);
}

int32_t BRxFixedEntryType::StateIcon() const {
    return UCxBrowserUtil::kNoStateIcon;
}

const BRxFixedEntryType* BRxFixedEntryType::Find(int32_t id) {
    auto it = Types().find(id);
    return it == Types().end() ? nullptr : it->second;
}

BRxFixedEntry::BRxFixedEntry(const BRxFixedEntryType* type, const std::u16string& name,
                             BRxEntry* parent, const RSeRefBase& subject, const RSeRefBase& second,
                             bool ownedBySubject)
    : BRxEntry(subject, parent), m_type(type ? type->GetId() : -1), m_name(name), m_second(second),
      m_ownedBySubject(ownedBySubject) {}

void BRxFixedEntry::Rename(const std::u16string& name) {
    if (name == m_name) return;
    if (GetSegment()) RSe::PrepareWrite(this);
    m_name = name;
    SetModified();
}

int32_t BRxFixedEntry::StateIcon() const {
    const BRxFixedEntryType* type = GetType();
    return type ? type->StateIcon() : UCxBrowserUtil::kNoStateIcon;
}

int32_t BRxFixedEntry::Icon() const {
    const BRxFixedEntryType* type = GetType();
    return type ? type->Icon() : 0;
}

std::u16string BRxFixedEntry::Text() const {
    return m_name;
}

std::u16string BRxFixedEntry::StateIconTooltip() const {
    return {};
}

bool BRxFixedEntry::CanRename() const {
    return false;
}

std::u16string BRxFixedEntry::EditableText() const {
    return m_name;
}

UTxResult BRxFixedEntry::Activate() {
    return {};
}

SmartPtr<FWxSelection> BRxFixedEntry::CreateSelection(const BRxAbsPath&) {
    return {};
}

bool BRxFixedEntry::OnEvent(const RSeEvent*) {
    return false;
}

std::u16string BRxFixedEntry::GetHowToHelp() const {
    return {};
}
