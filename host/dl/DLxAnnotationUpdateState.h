#pragma once
// What a bill of materials keeps of each annotation placed from it (a parts list, a balloon):
// the sheet it lies on, whether it needs an update since the bill changed, and what the
// annotation showed when it last updated (its annotation-specific data). The bill owns its
// update states; they are stored with it, so a drawing reopened knows which rows carry
// balloons.
#include <cstdint>
#include <vector>

#include "dc/RDxObject.h"
#include "dl/DLxLocalBOMCookie.h"
#include "rse/RSeRef.h"

// Base of what an annotation records in its update state.
class DLxAnnoUpdateData : public RDxObject {
public:
    DLxAnnoUpdateData() = default;
    explicit DLxAnnoUpdateData(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;
};

// The rows a balloon shows: one item per entry (its row and its occurrence path).
class DLxBalloonUpdateData : public DLxAnnoUpdateData {
public:
    struct Item {
        DLxLocalBOMCookie cookie;
        std::vector<int32_t> path;
    };
    DLxBalloonUpdateData() = default;
    explicit DLxBalloonUpdateData(const RSeStream* s) : DLxAnnoUpdateData(s) {}
    RSeMetaType* GetMeta() const override;

    void Clear();
    void AddItem(const DLxLocalBOMCookie& cookie, const std::vector<int32_t>& path);
    const std::vector<Item>& GetItems() const { return m_items; }
    // A hidden balloon carries no rows for the parts lists' "ballooned" filter.
    bool GetBalloonVisibility() const { return m_visible; }
    void SetBalloonVisibility(bool visible);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxBalloonUpdateData* target, RSeCloneCommander* cc) const;

private:
    std::vector<Item> m_items;
    bool m_visible = true;
};

// What a parts list records: whether its rows depend on balloons (it has an active
// "ballooned" filter), so that a change of balloons marks only such parts lists dirty.
class DLxPartListUpdateData : public DLxAnnoUpdateData {
public:
    explicit DLxPartListUpdateData(bool interestedInBalloonChanges = false)
        : m_balloons(interestedInBalloonChanges) {}
    explicit DLxPartListUpdateData(const RSeStream* s) : DLxAnnoUpdateData(s) {}
    RSeMetaType* GetMeta() const override;

    bool IsInterestedInBalloonChanges() const { return m_balloons; }
    void SetInterestedInBalloonChanges(bool interested);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxPartListUpdateData* target, RSeCloneCommander* cc) const;

private:
    bool m_balloons = false;
};

class DLxAnnotationUpdateState : public RDxObject {
public:
    // Update types the annotations set: balloons 1, parts lists 2.
    static constexpr int32_t kBalloon = 1;
    static constexpr int32_t kPartsList = 2;

    DLxAnnotationUpdateState() = default;
    explicit DLxAnnotationUpdateState(const RSeStream* s) : RDxObject(s) {}
    ~DLxAnnotationUpdateState() override;
    RSeMetaType* GetMeta() const override;

    RSeIDed* GetAnnotation() const { return m_annotation.get(); }
    RSeIDed* GetSheet() const { return m_sheet.get(); }
    void SetSheet(RSeIDed* sheet);
    bool IsDirty() const { return m_dirty; }
    void SetDirty(bool dirty);
    int32_t GetUpdateType() const { return m_type; }
    void SetUpdateType(int32_t type);
    int32_t GetStatus() const { return m_status; }
    void SetStatus(int32_t status);
    // Owned: a new data replaces (and deletes) the one before.
    DLxAnnoUpdateData* GetAnnoSpecificData() const { return m_data.get(); }
    void SetAnnoSpecificData(DLxAnnoUpdateData* data);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxAnnotationUpdateState* target, RSeCloneCommander* cc) const;

private:
    friend class DLxLocalBOM;
    RSeRef<RSeIDed> m_annotation;
    RSeRef<RSeIDed> m_sheet;
    RSeRef<DLxAnnoUpdateData> m_data;
    bool m_dirty = false;
    int32_t m_type = 0;
    int32_t m_status = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxAnnoUpdateData*);
RSeMetaType* _GetMeta(const DLxAnnoUpdateData*);
RSeMetaType* _InitMeta(const DLxBalloonUpdateData*);
RSeMetaType* _GetMeta(const DLxBalloonUpdateData*);
RSeMetaType* _InitMeta(const DLxPartListUpdateData*);
RSeMetaType* _GetMeta(const DLxPartListUpdateData*);
RSeMetaType* _InitMeta(const DLxAnnotationUpdateState*);
RSeMetaType* _GetMeta(const DLxAnnotationUpdateState*);
} // namespace RSe
