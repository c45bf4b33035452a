#pragma once
// One balloon of a balloon stack: where it sits and which way the stack grows, its index in
// the stack (0 the primary one), an override text and, for a sketched-symbol balloon, the
// sketch instance it shows. Width, height and boundary are what the last drawing of the
// balloon measured: they are never stored, a load clears them until the balloon is drawn again.
#include <cstdint>
#include <vector>

#include "Standard/DLxBomStdInfo.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxGUID.h"
#include "utx/UTxString16.h"

class DLxLocalBOM;
class DLxTableCalloutSymState;
class DUxCAuxEntArray;
class DUxTableStyleColumn;
class RDxString;
class SMxDisplayList;

class DLxCTableCallout : public RSeIDed {
public:
    // How documents with older balloon records declare the callout level, which they did not
    // store: read as a version that holds nothing but the base.
    static constexpr UTxGUID kEmptyLevelGUID{0x28be9fe0, 0x41864935, 0xb3657084, 0x1c5abc87};
    static constexpr uint16_t kEmptyLevelVersion = 0xFFFF;

    DLxCTableCallout() = default;
    // A new entry: at the origin, stacking to the right (4), no override text, no sketch.
    explicit DLxCTableCallout(int32_t index) : m_direction(DLxBomStdInfo::kRight), m_index(index) {}
    // Before a load: no references, no boundary; the rest comes from the record.
    explicit DLxCTableCallout(const RSeStream* s) : RSeIDed(s) {}
    DLxCTableCallout(const DLxCTableCallout& other);
    // Deletes the override text it owns.
    ~DLxCTableCallout() override;
    // Takes the other's place in a stack (direction, origin, index); its own texts, sketch, size
    // and outline stay.
    DLxCTableCallout& operator=(const DLxCTableCallout& other);
    RSeMetaType* GetMeta() const override;

    virtual WqGePoint3d origin() const { return m_origin; }
    virtual void setOrigin(const WqGePoint3d& p);
    // Stacking direction; bit 4 set: the stack grows towards positive x.
    DLxBomStdInfo::EDirection direction() const {
        return static_cast<DLxBomStdInfo::EDirection>(m_direction);
    }
    void setDirection(DLxBomStdInfo::EDirection d);
    int32_t GetIndex() const { return m_index; }
    void SetIndex(int32_t index);

    bool HasOverrideText() const { return m_overrideText.HasTarget(); }
    const RSeRef<RDxString>& GetOverrideString() const { return m_overrideText; }
    // Replaces (and deletes) the override text object the entry had.
    void SetOverrideText(const RSeRef<RDxString>& text);
    // The override text's original value; empty without one.
    UTxString16 GetOverrideText() const;
    // Sets the text of the override string object; nothing when the entry has none.
    void SetOverrideText(const UTxString16& text);
    // The sketched symbol's instance; its class is the sketched-symbol code's, so the record
    // holds it as a plain stored reference.
    const RSeRef<RSeIDed>& GetSketchInstance() const { return m_sketchInstance; }
    void SetSketchInstance(const RSeRef<RSeIDed>& instance);

    double GetBalloonWidth() const { return m_width; }
    double GetBalloonHeight() const { return m_height; }
    void SetBalloonSize(double width, double height);
    void SetBalloonWidth(double width) { m_width = width; }
    void SetBalloonHeight(double height) { m_height = height; }
    const std::vector<WqGePoint3d>& GetBoundary() const { return m_boundary; }
    std::vector<WqGePoint3d>& GetBoundary() { return m_boundary; }
    void SetBoundary(const std::vector<WqGePoint3d>& points);

    // The text the balloon shows for a column, the bill and member id being what its symbol
    // state answers; a plain callout shows nothing.
    virtual UTxString16 GetItemText(const DUxTableStyleColumn* column, DLxLocalBOM* bom,
                                    const UTxString16& memberId) const;

    // The identifier text of an entry: always "1", whatever its index.
    void getIdText(UTxString16& out) const;
    // The entry's shape as the service of the state's balloon type draws it about the origin
    // (which also records the entry's size and outline); nothing without such a service.
    void GetSubEnts(DUxCAuxEntArray& out, const RSeRef<DLxTableCalloutSymState>& state) const;
    // The same, moved by the offset and drawn into the list.
    UTxResult DrawBalloon(SMxDisplayList& list, const WqGeVector3d& offset,
                          const RSeRef<DLxTableCalloutSymState>& state) const;
    // Where `next` goes when it follows this entry along v (snapped to an axis): on a balloon
    // state, with the shape's attach points touching; otherwise one full width or height on.
    WqGePoint3d GetBalloonAttachmentPosition(const RSeRef<DLxTableCalloutSymState>& state,
                                             const RSeRef<DLxCTableCallout>& next,
                                             const WqGeVector3d& v) const;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxCTableCallout* target, RSeCloneCommander* cc) const;

protected:
    // What no record holds: measured again by the next drawing.
    void ClearMeasures();

    WqGePoint3d m_origin;
    int32_t m_direction = 0;
    int32_t m_index = 0;
    RSeRef<RDxString> m_overrideText;
    RSeRef<RSeIDed> m_sketchInstance;
    double m_width = 0.0;
    double m_height = 0.0;
    std::vector<WqGePoint3d> m_boundary;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCTableCallout*);
RSeMetaType* _GetMeta(const DLxCTableCallout*);
} // namespace RSe
