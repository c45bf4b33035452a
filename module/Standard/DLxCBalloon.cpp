#include "Standard/DLxCBalloon.h"

#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxStructureNode.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DLxCBalloonRow::DLxCBalloonRow() = default;
DLxCBalloonRow::DLxCBalloonRow(DLxCBalloonRow&&) noexcept = default;
DLxCBalloonRow::~DLxCBalloonRow() = default;

namespace {
// The row's text for a property; a property the bill has no column for shows nothing.
UTxString16 RowText(const DLxLocalBOMRow& row, const DUxStyleFormatColumnPropertyID& property) {
    DLxLocalBOMColumn column;
    if (!DLxLocalBOMColumn::FromPropertyID(property, column)) return {};
    std::u16string text;
    if (!row.GetCellText(column, text)) return {};
    return text;
}

DUxStyleFormatColumnPropertyID ItemProperty() {
    DUxStyleFormatColumnPropertyID item;
    item.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    item.SetPropertyID(u"1");
    return item;
}
} // namespace

DLxCBalloon::DLxCBalloon(const RSeRef<DLxStructureNode>& node, int32_t index)
    : DLxCTableCallout(index), m_node(node) {}

DLxCBalloon::~DLxCBalloon() = default;

DLxCBalloon* DLxCBalloon::New(RSeSegment* segment, const RSeRef<DLxStructureNode>& node,
                              int32_t index) {
    return new (RSe::_GetMeta(static_cast<const DLxCBalloon*>(nullptr)),
                segment ? segment : RSe::TransientSegment()) DLxCBalloon(node, index);
}

void DLxCBalloon::SetCookie(const DLxLocalBOMCookie& cookie) {
    RSe::PrepareWrite(this);
    m_cookie = cookie;
}

void DLxCBalloon::SetStructureNode(const RSeRef<DLxStructureNode>& node) {
    RSe::PrepareWrite(this);
    m_node = node;
}

void DLxCBalloon::AddMappedOverride(const DUxStyleFormatColumnPropertyID* property,
                                    const UTxString16& text) {
    if (!property) return;
    if (property->IsItem()) {
        auto* value =
            new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), GetSegment()) RDxString();
        value->SetSimpleValue(text);
        SetOverrideText(RSeRef<RDxString>(value));
        return;
    }
    RSe::PrepareWrite(this);
    m_overrides[*property] = text;
}

bool DLxCBalloon::GetMappedOverride(const DUxStyleFormatColumnPropertyID& property,
                                    UTxString16& text) const {
    auto it = m_overrides.find(property);
    if (it == m_overrides.end()) return false;
    text = it->second;
    return true;
}

void DLxCBalloon::RemoveMappedOverride(const DUxStyleFormatColumnPropertyID* property) {
    if (!property) return;
    auto it = m_overrides.find(*property);
    if (it == m_overrides.end()) return;
    RSe::PrepareWrite(this);
    m_overrides.erase(it);
}

DLxCBalloonRow DLxCBalloon::FindRow(DLxLocalBOM* bom) const {
    DLxCBalloonRow found;
    if (!bom) return found;
    if (const DLxStructureNode* node = m_node.Read()) {
        found.query = std::make_unique<DLxLocalBOMQuery>(bom, node->GetRDxPassivePath(),
                                                         DLxLocalBOMQuery::GetMemberName(node));
        if (found.query->Execute()) found.row = found.query->RowAt(0);
    } else if (m_cookie.IsValid()) {
        // An occurrence query answers one occurrence's row only: a cookie, which may name a
        // custom or grouped row, is looked for among the whole bill's rows.
        found.query = std::make_unique<DLxLocalBOMQuery>(bom, nullptr, 1);
        found.row = found.query->VisibleRowByCookie(m_cookie);
    }
    return found;
}

bool DLxCBalloon::IsCustom(DLxLocalBOM* bom) const {
    DLxCBalloonRow row = FindRow(bom);
    return row && row->IsCustom();
}

UTxString16 DLxCBalloon::GetItemText(const DUxTableStyleColumn* column, DLxLocalBOM* bom,
                                     const UTxString16& memberId) const {
    const bool partsList = dynamic_cast<const DUxTableStylePartsListColumn*>(column) != nullptr;
    if (partsList) {
        DUxStyleFormatColumnPropertyID property = *column->GetPropertyID();
        DLxLocalBOMColumn bomColumn;
        if (bom && DLxLocalBOMColumn::FromPropertyID(property, bomColumn) &&
            bom->IsMemberSpecificProperty(bomColumn, false))
            property.SetMemberID(memberId);
        if (property.IsItem() && HasOverrideText()) return GetOverrideString()->GetSimpleValue();
        UTxString16 text;
        if (GetMappedOverride(property, text)) return text;
    }
    DLxCBalloonRow row = FindRow(bom);
    if (!row) return {};
    return RowText(*row.row, partsList ? *column->GetPropertyID() : ItemProperty());
}

bool DLxCBalloon::RemoveRedundantOverrides(DLxLocalBOM* bom) {
    DLxCBalloonRow row = FindRow(bom);
    if (!row) return false;
    bool removed = false;
    for (auto it = m_overrides.begin(); it != m_overrides.end();) {
        if (RowText(*row.row, it->first) == it->second) {
            if (!removed) RSe::PrepareWrite(this);
            removed = true;
            it = m_overrides.erase(it);
        } else {
            ++it;
        }
    }
    return removed;
}
