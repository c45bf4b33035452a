#pragma once
// The value node of a table callout: a stack of small callout entries on one leader. The
// primary entry sits at the symbol position; attached entries follow it, each touching the one
// before, to the left, right, up or down. The state owns its entries and the style data it reads
// its style through; entries are laid out by the balloon shape services of the style's balloon
// type, the stack flips to the leader's side, and drawing puts each entry into a child list of
// its own with a hot point per attached entry.
//
// Entry indexes: the primary entry has index 0, the attached entry at vector position i has
// index i + 1 (ReIndexBalloons); removal finds entries by this index.
#include <cstdint>
#include <vector>

#include "Standard/DLxBomStdInfo.h"
#include "du/DUxSymState.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class BBox;
class DLxCTableCallout;
class DLxLocalBOM;
class DLxStructureNode;
class DLxTableCalloutStyleData;
class RDxFragment;
class WqGeVector3d;

class DLxTableCalloutSymState : public DUxSymState {
public:
    using Entries = std::vector<RSeRef<DLxCTableCallout>>;
    // Set on the states of balloons (by their constructor): the shape services then hang
    // stacked entries on each other by their attach points instead of one size apart.
    static constexpr uint32_t kBalloonStateFlag = 0x08000000u;

    // A new state (the fragment is where its kind places it): no entries, flag clear.
    explicit DLxTableCalloutSymState(RSeRef<RDxFragment> fragment);
    explicit DLxTableCalloutSymState(const RSeStream* s);
    // Deletes the primary entry, every attached entry and the style data.
    ~DLxTableCalloutSymState() override;
    DLxTableCalloutSymState(const DLxTableCalloutSymState&) = delete;
    DLxTableCalloutSymState& operator=(const DLxTableCalloutSymState&) = delete;
    RSeMetaType* GetMeta() const override;

    virtual const char* GetInternalName() const = 0;
    // Draws every entry into a child list of `symbolList` and adds a hot point per attached
    // entry; the other arguments are the base's and unused.
    void GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t landingPos,
                     const UTxGUID& standard, bool upright, int32_t outlineType) override;
    // A new entry at p for the structure node, appended and aligned along p - primary origin;
    // null when the kind makes none (or there is no primary entry to stack on).
    virtual RSeRef<DLxCTableCallout> AttachNewBalloon(const WqGePoint3d& p,
                                                      const RSeRef<DLxStructureNode>& node);
    // Whether the stack was rearranged: false for a null entry and when the only entry went.
    virtual bool RemoveBalloon(const RSeRef<DLxCTableCallout>& entry);
    // The kind's style data, made on first use by GetStyleData and owned by the state.
    virtual DLxTableCalloutStyleData* CreateStyleData() = 0;
    // A new entry of the kind (in the state's segment) for a structure node at a stack index.
    virtual RSeRef<DLxCTableCallout> CreateBalloon(const RSeRef<DLxStructureNode>& node,
                                                   int32_t index) = 0;
    // Where entries read their column texts from: the kind's bill of materials and member id
    // (none for a plain callout).
    virtual void GetItemTextSource(DLxLocalBOM*& bom, UTxString16& memberId) const;

    const RSeRef<DLxCTableCallout>& GetBalloon() const { return m_primary; }
    void SetBalloon(const RSeRef<DLxCTableCallout>& entry);
    // Unchecked: the index must be below the number of attached entries.
    const RSeRef<DLxCTableCallout>& GetAttachedBalloon(int32_t i) const {
        return m_attached[size_t(i)];
    }
    // For indexes that come from records or transcripts: null outside the stack.
    RSeRef<DLxCTableCallout> FindAttachedBalloon(int32_t i) const;
    const Entries& GetAttachedBalloons() const { return m_attached; }
    int32_t GetAttachedCount() const { return int32_t(m_attached.size()); }
    void SetAttachedBalloons(const Entries& entries);
    bool EnlargeBalloonSizeByText() const { return m_enlargeByText; }
    void SetEnlargeBalloonSizeByText(bool enlarge);
    DLxTableCalloutStyleData* GetStyleData();

    // The radius the style's shape gives the primary entry, and, when a box is given, the extents
    // of its first row's text; 0 without style data or shape service.
    double symbolRadius(BBox* box);
    void ShiftBalloons(const WqGeVector3d& v);
    void ReIndexBalloons();
    // The entry nearest p; on equal distances the earlier one.
    RSeRef<DLxCTableCallout> GetClosestBalloon(const WqGePoint3d& p) const;
    // Re-sizes every entry, then aligns along the first attached entry's side.
    void AlignBalloons();
    // Places the attached entries one after another along v and gives every entry the
    // direction v stands for (an axis); other vectors keep the direction.
    void AlignBalloons(const WqGeVector3d& v);
    // Moves the stack to the leader's other side when the leader changed side.
    void FlipBalloons(const WqGeVector3d& v);
    void FlipBalloons(const DLxBomStdInfo::EDirection& d);
    // Deletes every attached entry and empties the list.
    void ClearAttachedBalloons();

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxTableCalloutSymState* target, RSeCloneCommander* cc) const;

private:
    // Lets the shape services lay every entry out, so that their sizes and outlines are current.
    UTxResult RefreshBalloonSize();
    UTxResult DrawBalloon(SMxDisplayList& list);
    // The direction, 4-bit toggled, of every attached entry.
    void FlipAttachedDirections();
    DLxCTableCallout* Primary() const;
    DLxCTableCallout* Attached(size_t i) const;
    WqGeVector3d FirstAttachedVector() const;

    bool m_enlargeByText = false;
    RSeRef<DLxCTableCallout> m_primary;
    Entries m_attached;
    DLxTableCalloutStyleData* m_styleData = nullptr;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxTableCalloutSymState*);
RSeMetaType* _GetMeta(const DLxTableCalloutSymState*);
} // namespace RSe
