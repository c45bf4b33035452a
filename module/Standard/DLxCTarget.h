#pragma once
// The records of a datum target: its target shape (a point, a line, a circular or a
// rectangular area) and its balloons (a circle split by a line, the target size above and the
// target label below). Each record knows its grips and where the symbol's leader ends on it;
// the datum standard's services turn them into entities (DLxCTargetService).
//
// Target types: 0 no shape (a point record of style 0, which draws nothing), 1 balloon, 2
// point, 3 line, 4 circular area, 5 rectangular area. The owner is the datum target the record
// belongs to; sheet symbols lie in the sheet's plane, so the owner's X, Y and normal
// directions are the sheet's and its scale is 1.
#include <cstdint>
#include <vector>

#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DUxSymUnitAttr;
class RDxObject;
class UCxTranscriptDataExchange;
class WqGeMatrix3d;

class DLxCTargetSubSym : public RSeIDed {
public:
    enum ETargetType : int32_t {
        kNoTarget = 0,
        kBalloon = 1,
        kPoint = 2,
        kLine = 3,
        kCircularArea = 4,
        kRectangularArea = 5
    };

    explicit DLxCTargetSubSym(int32_t type = kNoTarget) : m_type(type) {}
    explicit DLxCTargetSubSym(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    int32_t GetTargetType() const { return m_type; }
    const WqGePoint3d& GetOrigin() const { return m_origin; }
    void SetOrigin(const WqGePoint3d& origin);
    const RSeRef<RDxObject>& GetOwner() const { return m_owner; }
    void SetOwner(const RSeRef<RDxObject>& owner);
    bool HasOwner() const { return m_owner.HasTarget(); }
    // The owner's directions and scale.
    static WqGeVector3d GetXAxis() { return WqGeVector3d::kXAxis; }
    static WqGeVector3d GetYAxis() { return WqGeVector3d::kYAxis; }
    static WqGeVector3d GetZAxis() { return WqGeVector3d::kZAxis; }
    static double GetScale() { return 1.0; }

    // Type and origin; never the owner.
    void CopyFrom(const DLxCTargetSubSym& other);

    // Empty for shapes without a size; the areas give theirs.
    virtual UTxString16 GetSizeText() const { return {}; }
    // Where the symbol's leader ends on the shape, coming from `from`.
    virtual WqGePoint3d GetLeaderAttachPoint(const WqGePoint3d& from) const;
    virtual void GetGripPoints(std::vector<WqGePoint3d>& points) const;
    virtual void MoveGrip(int32_t grip, const WqGeVector3d& offset);
    virtual int32_t GetGripCount() const { return 1; }
    virtual bool IsValidGrip(int32_t grip) const { return grip == 0; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxCTargetSubSym* target, RSeCloneCommander* cc) const;

protected:
    void Prepare();

private:
    int32_t m_type = kNoTarget;
    WqGePoint3d m_origin;
    RSeRef<RDxObject> m_owner;
};

// Base of the target shapes.
class DLxCTarget : public DLxCTargetSubSym {
public:
    using DLxCTargetSubSym::DLxCTargetSubSym;
    RSeMetaType* GetMeta() const override;
    virtual void TransformBy(const WqGeMatrix3d& m);
};

// A target point (type 2, style 1: a cross) or no shape at all (type 0, style 0).
class DLxCTargetPoint : public DLxCTarget {
public:
    DLxCTargetPoint(int32_t type = kPoint, int32_t pointStyle = 1)
        : DLxCTarget(type), m_pointStyle(pointStyle) {}
    explicit DLxCTargetPoint(const RSeStream* s) : DLxCTarget(s) {}
    RSeMetaType* GetMeta() const override;
    int32_t GetPointStyle() const { return m_pointStyle; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxCTargetPoint* target, RSeCloneCommander* cc) const;

private:
    int32_t m_pointStyle = 1;
};

// A target line from the origin to its end point; the leader meets it at the ratio point.
class DLxCTargetLine : public DLxCTarget {
public:
    static constexpr double kMinRatio = 0.05;
    static constexpr double kMaxRatio = 0.95;

    DLxCTargetLine() : DLxCTarget(kLine) {}
    explicit DLxCTargetLine(const RSeStream* s) : DLxCTarget(s) {}
    RSeMetaType* GetMeta() const override;
    const WqGePoint3d& GetEndPoint() const { return m_end; }
    void SetEndPoint(const WqGePoint3d& p);
    double GetRatio() const { return m_ratio; }
    int32_t GetStyleValue() const { return m_styleValue; }
    WqGePoint3d GetRatioPoint() const;

    WqGePoint3d GetLeaderAttachPoint(const WqGePoint3d& from) const override;
    void GetGripPoints(std::vector<WqGePoint3d>& points) const override;
    void MoveGrip(int32_t grip, const WqGeVector3d& offset) override;
    int32_t GetGripCount() const override { return 3; }
    bool IsValidGrip(int32_t grip) const override { return grip >= 0 && grip < 3; }
    void TransformBy(const WqGeMatrix3d& m) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxCTargetLine* target, RSeCloneCommander* cc) const;

private:
    int32_t m_styleValue = 1;
    WqGePoint3d m_end;
    double m_ratio = 0.5;
};

// A circular target area about the origin.
class DLxCTargetCircularArea : public DLxCTarget {
public:
    DLxCTargetCircularArea() : DLxCTarget(kCircularArea) {}
    explicit DLxCTargetCircularArea(const RSeStream* s) : DLxCTarget(s) {}
    RSeMetaType* GetMeta() const override;
    double GetRadius() const { return m_radius; }
    void SetRadius(double r);

    // The diameter sign code "%%c" and the diameter with two decimals.
    UTxString16 GetSizeText() const override;
    WqGePoint3d GetLeaderAttachPoint(const WqGePoint3d& from) const override;
    void GetGripPoints(std::vector<WqGePoint3d>& points) const override;
    void MoveGrip(int32_t grip, const WqGeVector3d& offset) override;
    int32_t GetGripCount() const override { return 5; }
    bool IsValidGrip(int32_t grip) const override { return grip >= 0 && grip < 5; }
    void TransformBy(const WqGeMatrix3d& m) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxCTargetCircularArea* target, RSeCloneCommander* cc) const;

private:
    double m_radius = 0.0;
};

// A rectangular target area centred on the origin, turned by its rotation about the normal.
class DLxCTargetRectangularArea : public DLxCTarget {
public:
    DLxCTargetRectangularArea() : DLxCTarget(kRectangularArea) {}
    explicit DLxCTargetRectangularArea(const RSeStream* s) : DLxCTarget(s) {}
    RSeMetaType* GetMeta() const override;
    double GetRotation() const { return m_rotation; }
    double GetWidth() const { return m_width; }
    double GetHeight() const { return m_height; }
    void SetSize(double width, double height, double rotation);

    // The corner (+w/2, +h/2) and the middle of the side at +w/2, turned with the area.
    WqGePoint3d GetCornerPoint() const;
    void SetCornerPoint(const WqGePoint3d& p);
    WqGePoint3d GetRotationPoint() const;
    void SetRotationPoint(const WqGePoint3d& p);
    // The four corners, in the order (+,+), (-,+), (-,-), (+,-).
    void GetCorners(WqGePoint3d corners[4]) const;

    // "<width>x<height>" with two decimals each.
    UTxString16 GetSizeText() const override;
    WqGePoint3d GetLeaderAttachPoint(const WqGePoint3d& from) const override;
    void GetGripPoints(std::vector<WqGePoint3d>& points) const override;
    void MoveGrip(int32_t grip, const WqGeVector3d& offset) override;
    int32_t GetGripCount() const override { return 3; }
    bool IsValidGrip(int32_t grip) const override { return grip >= 0 && grip < 3; }
    void TransformBy(const WqGeMatrix3d& m) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxCTargetRectangularArea* target, RSeCloneCommander* cc) const;

private:
    double m_rotation = 0.0;
    double m_width = 0.0;
    double m_height = 0.0;
};

// A datum-target balloon (type 1): the size text above its divider, the target text below.
class DLxCTargetBalloon : public DLxCTargetSubSym {
public:
    // Field ids of the two texts.
    static constexpr int32_t kSizeTextField = 44;
    static constexpr int32_t kTargetTextField = 45;

    DLxCTargetBalloon() : DLxCTargetSubSym(kBalloon) {}
    explicit DLxCTargetBalloon(const RSeStream* s) : DLxCTargetSubSym(s) {}
    RSeMetaType* GetMeta() const override;

    // Empty for other ids.
    UTxString16 GetText(int32_t field) const;
    // 44 the size text, any other id the target text.
    void SetText(int32_t field, const UTxString16& text);
    const UTxString16& GetSizeTextValue() const { return m_size; }
    const UTxString16& GetTargetText() const { return m_target; }
    int32_t GetConnectionType() const { return m_connection; }
    int32_t GetOrientationType() const { return m_orientation; }
    void SetOrientationType(int32_t type);
    double GetAlternateUnitAngle() const { return m_altAngle; }
    void SetAlternateUnitAngle(double angle);
    bool IsAltOutside() const { return m_altOutside; }
    void SetAltOutside(bool on);
    // Relative to the balloon's origin.
    const WqGePoint3d& GetAlternateUnitPosition() const { return m_altPosition; }
    void SetAlternateUnitPosition(const WqGePoint3d& p);
    // Handed over for drawing; not stored.
    const DUxSymUnitAttr* GetUnitAttributes() const;
    void SetUnitAttributes(const RSeRef<DUxSymUnitAttr>& attr) { m_unitAttr = attr; }

    // Type, origin and every balloon value; never the owner.
    void CopyFrom(const DLxCTargetBalloon& other);

    // Under the key prefix: "_ConnectionTypeId", "_DatumTargetSize", "_DatumTargetText",
    // "_OrientationType", "_AlternateUnitAngle", "_AlternateUnitPosition", "_IsAltOutside",
    // "_UnitAttributes"; stops at the first key that fails and answers that result.
    UTxResult Transcript(UCxTranscriptDataExchange& tdx, const UTxString16& prefix, bool required);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxCTargetBalloon* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_size = u"1";
    UTxString16 m_target = u"A";
    int32_t m_connection = 7;
    int32_t m_orientation = 1;
    double m_altAngle = 0.78539816339744828;
    RSeRef<DUxSymUnitAttr> m_unitAttr;
    bool m_altOutside = false;
    WqGePoint3d m_altPosition;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCTargetSubSym*);
RSeMetaType* _GetMeta(const DLxCTargetSubSym*);
RSeMetaType* _InitMeta(const DLxCTarget*);
RSeMetaType* _GetMeta(const DLxCTarget*);
RSeMetaType* _InitMeta(const DLxCTargetPoint*);
RSeMetaType* _GetMeta(const DLxCTargetPoint*);
RSeMetaType* _InitMeta(const DLxCTargetLine*);
RSeMetaType* _GetMeta(const DLxCTargetLine*);
RSeMetaType* _InitMeta(const DLxCTargetCircularArea*);
RSeMetaType* _GetMeta(const DLxCTargetCircularArea*);
RSeMetaType* _InitMeta(const DLxCTargetRectangularArea*);
RSeMetaType* _GetMeta(const DLxCTargetRectangularArea*);
RSeMetaType* _InitMeta(const DLxCTargetBalloon*);
RSeMetaType* _GetMeta(const DLxCTargetBalloon*);
} // namespace RSe
