#pragma once
// The requests that change a placed datum target after interactive work:
//   DLxDatumTargetLeaderMoveRequest ("LeaderMoveDatumTarget"): moves one leader or shape vertex
//     by an offset, or puts it where an intent with inferences says (re-anchoring the leader's
//     end on the picked geometry when it is the arrowhead end);
//   DLxDatumTargetOrientAttachRequest ("ReOrientDatumTarget"): spaces the attached balloons
//     along a direction;
//   DLxDatumTargetAttachRequest ("AttachBalloon"): attaches one more balloon (at most
//     DLxDatumTarget::kMaxBalloons in all); a replay gives it the journalled values;
//   DLxDatumTargetRemoveRequest ("RemoveDatumBalloon"): removes a balloon by its index (-1, or
//     a target without attached balloons, removes nothing);
//   DLxDatumTargetMoveAltUnitRequest ("DTAltUnitMove"): turns a balloon's alternate-unit text
//     (hot-point id 2000 + balloon index).
// Each refuses a target that is missing or of another kind and indices that name nothing.
#include <cstdint>

#include "dl/DLxIntent.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxCTargetBalloon;
class DLxDatumTarget;

class DLxDatumTargetLeaderMoveRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxDatumTargetLeaderMoveRequest)
public:
    static constexpr const char16_t* kTranscriptName = u"LeaderMoveDatumTarget";
    DLxDatumTargetLeaderMoveRequest();
    DLxDatumTargetLeaderMoveRequest(const RSeRef<DLxDatumTarget>& target, int32_t vertex,
                                    const WqGeVector3d& offset, bool isArrowhead,
                                    const DLxIntent& intent);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxDatumTarget> m_target;
    int32_t m_vertex = 0;
    WqGeVector3d m_offset;
    DLxIntent m_intent;
    bool m_isArrowhead = false;
    UTxString16 m_targetText;
};

class DLxDatumTargetOrientAttachRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxDatumTargetOrientAttachRequest)
public:
    static constexpr const char16_t* kTranscriptName = u"ReOrientDatumTarget";
    DLxDatumTargetOrientAttachRequest();
    DLxDatumTargetOrientAttachRequest(const RSeRef<DLxDatumTarget>& target,
                                      const WqGeVector3d& direction);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxDatumTarget> m_target;
    WqGeVector3d m_direction;
    UTxString16 m_targetText;
};

class DLxDatumTargetAttachRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxDatumTargetAttachRequest)
public:
    static constexpr const char16_t* kTranscriptName = u"AttachBalloon";
    DLxDatumTargetAttachRequest();
    DLxDatumTargetAttachRequest(const RSeRef<DLxDatumTarget>& target, const WqGePoint3d& origin);
    ~DLxDatumTargetAttachRequest() override;

    // The values journalled for the new balloon (a replay gives them to it).
    DLxCTargetBalloon* GetTranscriptBalloon() const { return m_balloon; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxDatumTarget> m_target;
    WqGePoint3d m_origin;
    bool m_fromTranscript = false;
    DLxCTargetBalloon* m_balloon = nullptr;
    UTxString16 m_targetText;
};

class DLxDatumTargetRemoveRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxDatumTargetRemoveRequest)
public:
    static constexpr const char16_t* kTranscriptName = u"RemoveDatumBalloon";
    DLxDatumTargetRemoveRequest();
    // Balloon `index` of the target (0 its default balloon).
    DLxDatumTargetRemoveRequest(const RSeRef<DLxDatumTarget>& target, int32_t index);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxDatumTarget> m_target;
    int32_t m_index = -1;
    UTxString16 m_targetText;
};

class DLxDatumTargetMoveAltUnitRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxDatumTargetMoveAltUnitRequest)
public:
    static constexpr const char16_t* kTranscriptName = u"DTAltUnitMove";
    DLxDatumTargetMoveAltUnitRequest();
    DLxDatumTargetMoveAltUnitRequest(const RSeRef<DLxDatumTarget>& target, int32_t hotPoint,
                                     double angle);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxDatumTarget> m_target;
    int32_t m_hotPoint = 0;
    double m_angle = 0.0;
    UTxString16 m_targetText;
};
