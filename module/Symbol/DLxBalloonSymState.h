#pragma once
// The value node of a balloon: a table callout whose entries number rows of the drawing's
// local bill of materials. It keeps the bill it numbers from and the column properties its
// texts show, and keeps the bill's property usage in step with them: every property the
// balloon shows is in the bill's usage, and the ones it stopped showing leave it.
//
// The used properties are values (a property id with its member), stored in order after the
// bill reference; each stands for one column of the bill.
#include <cstdint>
#include <vector>

#include "Symbol/DLxTableCalloutSymState.h"
#include "du/DUxTableStyleColumn.h"

class DLxCBalloon;

class DLxBalloonSymState : public DLxTableCalloutSymState {
public:
    using Properties = std::vector<DUxStyleFormatColumnPropertyID>;

    // Sets the balloon flag: the shape services then hang stacked entries on each other.
    explicit DLxBalloonSymState(RSeRef<RDxFragment> fragment);
    explicit DLxBalloonSymState(const RSeStream* s);
    // Takes its properties out of the bill's usage first (not when the store puts objects back
    // or closes: the bill's own image answers for its usage then).
    ~DLxBalloonSymState() override;
    RSeMetaType* GetMeta() const override;

    // In the fragment's segment and added to the fragment.
    static DLxBalloonSymState* Create(RDxFragment* fragment);

    const char* GetInternalName() const override;
    DLxTableCalloutStyleData* CreateStyleData() override;
    RSeRef<DLxCTableCallout> CreateBalloon(const RSeRef<DLxStructureNode>& node,
                                           int32_t index) override;
    void GetItemTextSource(DLxLocalBOM*& bom, UTxString16& memberId) const override;

    RSeRef<DLxLocalBOM> GetLocalBOM() const { return m_localBOM; }
    void SetLocalBOM(const RSeRef<DLxLocalBOM>& bom);
    // The primary entry as a balloon; null when it is none.
    RSeRef<DLxCBalloon> GetBalloon() const;
    // Whether the primary entry numbers a custom row of the bill; false without a bill.
    bool IsCustom() const;
    const Properties& GetLastUsedProperties() const { return m_usedProperties; }
    // The family-table member the balloon's rows are read for; empty when there is none.
    UTxString16 GetMemberID() const;
    // Makes the used properties those the style's shape shows of the style's columns, for the
    // member: kept ones stay, new ones join the bill's usage, the others leave it. Nothing
    // without a bill or without a shape service for the style's type.
    void UpdateUsedProperties();
    // Takes every used property out of the bill's usage and forgets them.
    void ClearUsedProperties();

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxBalloonSymState* target, RSeCloneCommander* cc) const;

private:
    void ReadProperties(RSeStream& s);
    void RemoveFromUsage(const Properties& properties) const;

    RSeRef<DLxLocalBOM> m_localBOM;
    Properties m_usedProperties;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxBalloonSymState*);
RSeMetaType* _GetMeta(const DLxBalloonSymState*);
} // namespace RSe
