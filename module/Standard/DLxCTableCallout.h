#pragma once
// One balloon of a balloon stack: where it sits and which way the stack grows, its index in
// the stack (0 the primary one), an override text and, for a sketched-symbol balloon, the
// sketch instance it shows. Width, height and boundary are what the last drawing of the
// balloon measured: they are never stored, a load clears them until the balloon is drawn again.
#include <cstdint>
#include <vector>

#include "ge/WqGePoint3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxGUID.h"
#include "utx/UTxString16.h"

class DLxLocalBOM;
class DUxTableStyleColumn;
class RDxString;

class DLxCTableCallout : public RSeIDed {
public:
    // How documents with older balloon records declare the callout level, which they did not
    // store: read as a version that holds nothing but the base.
    static constexpr UTxGUID kEmptyLevelGUID{0x28be9fe0, 0x41864935, 0xb3657084, 0x1c5abc87};
    static constexpr uint16_t kEmptyLevelVersion = 0xFFFF;

    DLxCTableCallout() = default;
    explicit DLxCTableCallout(int32_t index) : m_index(index) {}
    // Before a load: no references, no boundary; the rest comes from the record.
    explicit DLxCTableCallout(const RSeStream* s) : RSeIDed(s) {}
    DLxCTableCallout(const DLxCTableCallout& other);
    DLxCTableCallout& operator=(const DLxCTableCallout&) = delete;
    RSeMetaType* GetMeta() const override;

    virtual WqGePoint3d origin() const { return m_origin; }
    virtual void setOrigin(const WqGePoint3d& p);
    // Stacking direction; bit 4 set: the stack grows towards positive x.
    int32_t direction() const { return m_direction; }
    void setDirection(int32_t d);
    int32_t GetIndex() const { return m_index; }
    void SetIndex(int32_t index);

    bool HasOverrideText() const { return m_overrideText.HasTarget(); }
    const RSeRef<RDxString>& GetOverrideString() const { return m_overrideText; }
    void SetOverrideText(const RSeRef<RDxString>& text);
    // The sketched symbol's instance; its class is the sketched-symbol code's, so the record
    // holds it as a plain stored reference.
    const RSeRef<RSeIDed>& GetSketchInstance() const { return m_sketchInstance; }
    void SetSketchInstance(const RSeRef<RSeIDed>& instance);

    double GetBalloonWidth() const { return m_width; }
    double GetBalloonHeight() const { return m_height; }
    void SetBalloonSize(double width, double height);
    const std::vector<WqGePoint3d>& GetBoundary() const { return m_boundary; }
    void SetBoundary(const std::vector<WqGePoint3d>& points);

    // The text the balloon shows for a column, the bill and member id being what its symbol
    // state answers; a plain callout shows nothing.
    virtual UTxString16 GetItemText(const DUxTableStyleColumn* column, DLxLocalBOM* bom,
                                    const UTxString16& memberId) const;

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
