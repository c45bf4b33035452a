#include "Symbol/DLxBalloonSymState.h"

#include <algorithm>
#include <set>

#include "Standard/DLxCBalloon.h"
#include "Standard/DLxCBalloonService.h"
#include "Symbol/DLxBalloonStyleData.h"
#include "Symbol/DLxTableCalloutServiceHelper.h"
#include "dc/RDxFragment.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxStructureNode.h"
#include "dl/GBxBOMDescriptor.h"
#include "du/DUxBalloonStyleWrapper.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

DLxBalloonSymState::DLxBalloonSymState(RSeRef<RDxFragment> fragment)
    : DLxTableCalloutSymState(fragment) {
    SetFlag(kBalloonStateFlag);
}

DLxBalloonSymState::DLxBalloonSymState(const RSeStream* s) : DLxTableCalloutSymState(s) {}

DLxBalloonSymState::~DLxBalloonSymState() {
    // A preview copy's properties are the stored balloon's: they stay counted.
    const RSeSegment* segment = GetSegment();
    if (RSe::IsLiveDeletion(this) && !(segment && segment->IsTransient()))
        RemoveFromUsage(m_usedProperties);
    m_usedProperties.clear();
}

DLxBalloonSymState* DLxBalloonSymState::Create(RDxFragment* fragment) {
    auto* state = new (RSe::_GetMeta(static_cast<const DLxBalloonSymState*>(nullptr)),
                       fragment->GetSegment()) DLxBalloonSymState(RSeRef<RDxFragment>(fragment));
    fragment->AddNode(state);
    return state;
}

const char* DLxBalloonSymState::GetInternalName() const {
    static const char* const name = "Balloon";
    return name;
}

DLxTableCalloutStyleData* DLxBalloonSymState::CreateStyleData() {
    return new DLxBalloonStyleData(RSeRef<DUxSymState>(this));
}

RSeRef<DLxCTableCallout> DLxBalloonSymState::CreateBalloon(const RSeRef<DLxStructureNode>& node,
                                                           int32_t index) {
    return RSeRef<DLxCTableCallout>(DLxCBalloon::New(GetSegment(), node, index));
}

void DLxBalloonSymState::GetItemTextSource(DLxLocalBOM*& bom, UTxString16& memberId) const {
    bom = m_localBOM.get();
    memberId = bom ? GetMemberID() : UTxString16();
}

void DLxBalloonSymState::SetLocalBOM(const RSeRef<DLxLocalBOM>& bom) {
    RSe::PrepareWrite(this);
    m_localBOM = bom;
}

RSeRef<DLxCBalloon> DLxBalloonSymState::GetBalloon() const {
    return RSeRef<DLxCBalloon>(DLxTableCalloutSymState::GetBalloon());
}

bool DLxBalloonSymState::IsCustom() const {
    DLxLocalBOM* bom = m_localBOM.get();
    const DLxCBalloon* primary = GetBalloon().Read();
    return bom && primary && primary->IsCustom(bom);
}

UTxString16 DLxBalloonSymState::GetMemberID() const {
    const DLxLocalBOM* bom = m_localBOM.Read();
    if (!bom) return {};
    // The member of the configuration the primary entry's node belongs to.
    UTxString16 nodeMember;
    if (const DLxCBalloon* primary = GetBalloon().Read())
        if (const DLxStructureNode* node = primary->GetStructureNode().Read())
            if (const DLxConfiguration* configuration = node->GetConfiguration())
                nodeMember = configuration->GetMemberName();
    if (bom->IsAssemblyBased()) return nodeMember;
    const GBxBOMDescriptor* descriptor = bom->GetDescriptor();
    if (!descriptor || !descriptor->IsBOMFactory()) return {};
    if (!nodeMember.empty()) return nodeMember;
    const std::u16string active = descriptor->GetActiveFactoryMember();
    if (!active.empty()) return active;
    const std::vector<std::u16string> members = descriptor->GetBOMFactoryMembers();
    return members.empty() ? UTxString16() : UTxString16(members.front());
}

void DLxBalloonSymState::RemoveFromUsage(const Properties& properties) const {
    DLxLocalBOM* bom = m_localBOM.get();
    if (!bom) return;
    for (const DUxStyleFormatColumnPropertyID& property : properties) {
        DLxLocalBOMColumn column;
        if (DLxLocalBOMColumn::FromPropertyID(property, column)) bom->RemovePropIDFromUsage(column);
    }
}

void DLxBalloonSymState::ClearUsedProperties() {
    if (m_usedProperties.empty()) return;
    RSe::PrepareWrite(this);
    RemoveFromUsage(m_usedProperties);
    m_usedProperties.clear();
}

void DLxBalloonSymState::UpdateUsedProperties() {
    DLxLocalBOM* bom = m_localBOM.get();
    if (!bom) return;
    const RSeRef<DUxSymState> self(this);
    const DUxBalloonStyleWrapper style(self, RSeRef<DUxBalloonStyle>());
    DLxCBalloonService::Columns items;
    style.GetItems(items);
    // Positions follow the style's items; an item of another kind of column holds no property.
    Properties columns;
    for (const RSeRef<DUxTableStyleColumn>& item : items) {
        const auto* column = dynamic_cast<const DUxTableStylePartsListColumn*>(item.Read());
        columns.push_back(column ? *column->GetPropertyID() : DUxStyleFormatColumnPropertyID());
    }
    DLxCBalloonService* service =
        DLxTableCalloutServiceHelper::Get().Find(uint32_t(style.GetDefaultType()));
    if (!service) return;
    service->SetOwnerState(RSeRef<DLxTableCalloutSymState>(this));
    std::set<int> used;
    service->CollectUsedRows(DLxTableCalloutSymState::GetBalloon(), items, used);
    for (const RSeRef<DLxCTableCallout>& entry : GetAttachedBalloons())
        service->CollectUsedRows(entry, items, used);

    const UTxString16 member = GetMemberID();
    Properties old = m_usedProperties;
    Properties now;
    for (const int position : used) {
        // Services report positions of the columns they were given; others are no column.
        if (position < 0 || size_t(position) >= columns.size()) continue;
        DUxStyleFormatColumnPropertyID property = columns[size_t(position)];
        DLxLocalBOMColumn column;
        if (DLxLocalBOMColumn::FromPropertyID(property, column) &&
            bom->IsMemberSpecificProperty(column, false))
            property.SetMemberID(member);
        auto kept = std::find(old.begin(), old.end(), property);
        if (kept != old.end()) {
            now.push_back(*kept);
            old.erase(kept);
        } else {
            now.push_back(property);
        }
    }
    if (now != m_usedProperties) {
        RSe::PrepareWrite(this);
        // The bill's usage is a set of columns: the properties left go before the shown ones
        // are put in, so that one that left with the column of a shown one takes nothing along.
        RemoveFromUsage(old);
        m_usedProperties = std::move(now);
    }
    // Every shown property is in the usage, also when something else took its column out.
    for (const DUxStyleFormatColumnPropertyID& property : m_usedProperties) {
        DLxLocalBOMColumn column;
        if (DLxLocalBOMColumn::FromPropertyID(property, column) && !bom->IsPropIDInUse(column))
            bom->AddPropID2Usage(column);
    }
}
