#pragma once
// The value node of a sketched symbol: the placement of the sketch it shows (a host sketch
// instance), the symbol's own scale and rotation about its reference point, which point of the
// sketch that is (the insertion point, or the geometric centre), and two flags in the object's
// flag word: static (no grips) and leader visible. It draws the sketch and, unless static, the
// grips of the symbol's corners and of its rotation.
#include <cstdint>

#include "du/DUxSymState.h"
#include "rse/RSeRef.h"

class DLxSketchInstance;
class RDxFragment;

class DLxCallOutState : public DUxSymState {
public:
    static constexpr uint32_t kStaticFlag = 0x08000000;
    static constexpr uint32_t kLeaderVisibleFlag = 0x10000000;
    // Set on every new state; kept for the stored flag word, read by nothing.
    static constexpr uint32_t kNewStateFlag = 0x20000000;
    // Extra ids of the grips: the four corners, then the rotation grip.
    static constexpr int32_t kRotationGrip = 4;

    DLxCallOutState() = default;
    explicit DLxCallOutState(const RSeStream* s) : DUxSymState(s) {}
    RSeMetaType* GetMeta() const override;

    // A new state in the fragment for the sketch placement: scale 1, no rotation, the
    // insertion point as reference, not static, leader visible.
    static DLxCallOutState* Create(RDxFragment* fragment, DLxSketchInstance* sketch);

    DLxSketchInstance* GetSketchInstance() const;
    // A null placement is ignored.
    void SetSketchInstance(DLxSketchInstance* sketch);

    // The symbol's own turn (radians) and size about its reference point. These hide the
    // base's scale, which is the scale of the view the symbol was placed in.
    double GetRotation() const { return m_rotation; }
    void SetRotation(double radians);
    double GetScale() const { return m_symbolScale; }
    void SetScale(double scale);
    bool GetUseGeomCenter() const { return m_useGeomCenter; }
    void SetUseGeomCenter(bool on);
    bool GetStatic() const { return IsFlagOn(kStaticFlag); }
    void SetStatic(bool on);
    bool GetLeaderVisible() const { return IsFlagOn(kLeaderVisibleFlag); }
    void SetLeaderVisible(bool on);

    // The sketch into the symbol list, its images into the text list, in the sketch's
    // coordinates; then the grips unless static.
    void GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t landingPos,
                     const UTxGUID& standard, bool upright, int32_t outlineType) override;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxCallOutState* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxSketchInstance> m_sketch;
    double m_rotation = 0.0;
    double m_symbolScale = 1.0;
    bool m_useGeomCenter = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCallOutState*);
RSeMetaType* _GetMeta(const DLxCallOutState*);
} // namespace RSe
