#pragma once
// The record of one balloon of a balloon symbol: the bill-of-materials row it numbers (the
// assembly structure node it was attached to, or the row's cookie when it has no node), and
// the texts the user typed over the bill's values, per parts-list column. It answers the text it
// shows for a column from the drawing's local bill of materials.
#include <map>
#include <memory>

#include "Standard/DLxCTableCallout.h"
#include "dl/DLxLocalBOMCookie.h"
#include "du/DUxPartsListPropertyIDCompare.h"

class DLxLocalBOMQuery;
class DLxLocalBOMRow;
class DLxStructureNode;

// A balloon's row: the row belongs to the query that found it and lives as long as it.
struct DLxCBalloonRow {
    std::unique_ptr<DLxLocalBOMQuery> query;
    DLxLocalBOMRow* row = nullptr;

    DLxCBalloonRow();
    DLxCBalloonRow(DLxCBalloonRow&&) noexcept;
    ~DLxCBalloonRow();
    explicit operator bool() const { return row != nullptr; }
    DLxLocalBOMRow* operator->() const { return row; }
};

class DLxCBalloon : public DLxCTableCallout {
public:
    using OverrideMap =
        std::map<DUxStyleFormatColumnPropertyID, UTxString16, DUxPartsListPropertyIDCompare>;

    DLxCBalloon() = default;
    DLxCBalloon(const RSeRef<DLxStructureNode>& node, int32_t index);
    explicit DLxCBalloon(const RSeStream* s) : DLxCTableCallout(s) {}
    ~DLxCBalloon() override;
    RSeMetaType* GetMeta() const override;
    // A new balloon in the segment (the transient one for null).
    static DLxCBalloon* New(RSeSegment* segment, const RSeRef<DLxStructureNode>& node,
                            int32_t index);

    DLxLocalBOMCookie GetCookie() const { return m_cookie; }
    void SetCookie(const DLxLocalBOMCookie& cookie);
    const RSeRef<DLxStructureNode>& GetStructureNode() const { return m_node; }
    void SetStructureNode(const RSeRef<DLxStructureNode>& node);

    // The item number's override is the callout's override text (a new text object in the
    // balloon's segment); any other property's goes in the map. A null property does nothing.
    void AddMappedOverride(const DUxStyleFormatColumnPropertyID* property, const UTxString16& text);
    // The text stays untouched when the map does not hold the property.
    bool GetMappedOverride(const DUxStyleFormatColumnPropertyID& property, UTxString16& text) const;
    void RemoveMappedOverride(const DUxStyleFormatColumnPropertyID* property);
    const OverrideMap& GetMappedOverrides() const { return m_overrides; }

    // The item override first (for the item column), then a mapped override, else the text
    // of the balloon's row; empty without a row. A column of another kind of table shows the
    // row's item number. A member-specific property is read for the member given.
    UTxString16 GetItemText(const DUxTableStyleColumn* column, DLxLocalBOM* bom,
                            const UTxString16& memberId) const override;
    // The row of the node's occurrence (the first row its query gives), or, without a node,
    // the visible row of the cookie; none without a bill.
    DLxCBalloonRow FindRow(DLxLocalBOM* bom) const;
    bool IsCustom(DLxLocalBOM* bom) const;
    // Drops the mapped overrides that equal what the row now shows; true when one went.
    bool RemoveRedundantOverrides(DLxLocalBOM* bom);

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxCBalloon* target, RSeCloneCommander* cc) const;

private:
    void ReadOverrides(RSeStream& s);

    RSeRef<DLxStructureNode> m_node;
    DLxLocalBOMCookie m_cookie;
    OverrideMap m_overrides;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCBalloon*);
RSeMetaType* _GetMeta(const DLxCBalloon*);
} // namespace RSe
