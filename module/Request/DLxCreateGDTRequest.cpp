#include "Request/DLxCreateGDTRequest.h"

#include <cmath>
#include <string>

#include "Request/DLxCreateInstanceBulletin.h"
#include "Request/DLxRequestUtil.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxValue.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeTransaction.h"

IMPLEMENT_DYNCREATE(DLxCreateGDTRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxGDTRotateRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kNoStyle = 0x200B0321;
constexpr UTxResultCode kBadInput = 0x200B0323;
constexpr double kQuarter = 1.5707963267946;

// Variables of a line in the order of the field vector.
const DLxSym::Variable kLineVariables[6] = {DLxSym::kSymbolValue, DLxSym::kToleranceA,
                                            DLxSym::kToleranceB,  DLxSym::kDatumA,
                                            DLxSym::kDatumB,      DLxSym::kDatumC};

// The style bit that enables a symbol code; 0 for codes no style enables.
uint32_t SymbolBit(int32_t code) {
    static const uint32_t bits[31] = {0,    0x1,  0x2,   0x4,    0x2000, 0x8,     0x10,   0x20,
                                      0x40, 0x80, 0x100, 0x200,  0x800,  0x400,   0x1000, 0,
                                      0,    0,    0,     0,      0,      0,       0,      0,
                                      0,    0,    0,     0x4000, 0x8000, 0x10000, 0x20000};
    return code >= 0 && code <= 30 ? bits[code] : 0;
}

// The frame as it was named before the request changed it (its key follows its place), so
// that a replay finds it where the request found it.
void PutInstanceText(UCxTranscriptDataExchange& tdx, const RSeRef<DLxGDTInstance>& inst,
                     const UTxString16& before) {
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    if (before.empty())
        tdx.GetResult() = mgr.PutRSeRef(tdx.GetLine(), u"GDTSymbol", inst);
    else
        tdx.GetResult() =
            mgr.PutValue(tdx.GetLine(), u"GDTSymbol", FWxTranscriptValue::MakeRef(before));
}

// The frame a record names. A key that names no frame (none there, or an object of another
// kind) reads as no frame and keeps its text, so that ValidateInputs refuses the request and
// says which; a malformed key ends the exchange.
void ReadInstance(UCxTranscriptDataExchange& tdx, RSeRef<DLxGDTInstance>& inst, UTxString16& text) {
    if (tdx.HasFailed()) return;
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    FWxTranscriptValue v;
    UTxResult r = mgr.GetValue(tdx.GetLine(), u"GDTSymbol", v);
    if (r.Failed()) {
        tdx.Fail(r);
        return;
    }
    RSeRefBase read;
    r = mgr.ResolveRSeRef(u"GDTSymbol", v, tdx.GetDocument(), read);
    if (r.Failed() && r.GetCode() != kFWxErrTranscriptUnresolved &&
        r.GetCode() != kFBxErrNameKeyUnresolved) {
        tdx.Fail(r);
        return;
    }
    inst = RSeRef<DLxGDTInstance>(read);
    text = inst.HasTarget() ? UTxString16() : v.GetText();
}

// A replayed reference that did not resolve, or named an object of another kind.
UTxResult CheckInstance(const RSeRef<DLxGDTInstance>& inst, const UTxString16& text) {
    if (inst.HasTarget()) return {};
    return UTxResult::Refusal(
        kBadInput, u"GDTSymbol: " + (text.empty() ? UTxString16(u"no feature control frame")
                                                  : u"no feature control frame at " + text));
}
} // namespace

// ---- create and edit

DLxCreateGDTRequest::DLxCreateGDTRequest() = default;

DLxCreateGDTRequest::DLxCreateGDTRequest(
    const DLxIntent& intent, const std::vector<WqGePoint3d>& points, uint32_t arrowType,
    bool displayLeader, bool allAround, const std::vector<UTxString16>& fields,
    const std::vector<int32_t>& visibilities, const std::vector<bool>& linesFramed,
    const RSeRef<FBxLayerStyle>& layerStyle, const RSeRef<DUxFeatureControlFrameStyle>& frameStyle)
    : m_arrowType(arrowType), m_intent(intent), m_points(points), m_allAround(allAround),
      m_displayLeader(displayLeader), m_fields(fields), m_visibilities(visibilities),
      m_linesFramed(linesFramed), m_create(true), m_layerStyle(layerStyle),
      m_frameStyle(frameStyle) {}

DLxCreateGDTRequest::DLxCreateGDTRequest(const RSeRef<DLxGDTInstance>& instance, bool allAround,
                                         const std::vector<UTxString16>& fields,
                                         const std::vector<int32_t>& visibilities,
                                         const std::vector<bool>& linesFramed,
                                         const RSeRef<FBxLayerStyle>& layerStyle,
                                         const RSeRef<DUxFeatureControlFrameStyle>& frameStyle)
    : m_intent(DLxIntent::Free(WqGePoint3d())), m_allAround(allAround), m_fields(fields),
      m_visibilities(visibilities), m_linesFramed(linesFramed), m_create(false),
      m_instance(instance), m_layerStyle(layerStyle), m_frameStyle(frameStyle) {}

UTxStringResource DLxCreateGDTRequest::GetRequestIdentity() const {
    return {0x600B0192, 11, 0};
}

UTxResult DLxCreateGDTRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreateGDTSymbol");
}

UTxResult DLxCreateGDTRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreateGDTRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!doc) return UTxResult::Refusal(kBadInput, u"no document");
    if (m_fields.size() < 2 || m_visibilities.size() < 2)
        return UTxResult::Refusal(kBadInput, u"Fields: fewer than two fields or visibilities");
    uint32_t mask = 0;
    if (m_frameStyle.HasTarget()) {
        mask = m_frameStyle->GetGdtSymbols();
    } else if (DUxFeatureControlFrameStyle* style =
                   DUxSymStyleWrapUtils::GetDocumentFCFStyle(doc)) {
        mask = style->GetGdtSymbols();
    } else {
        return UTxResult::Refusal(kNoStyle,
                                  u"FCFStyle: the document has no feature control frame style");
    }
    DLxGDTState* state = nullptr;
    if (!m_create) {
        if (UTxResult r = CheckInstance(m_instance, m_instanceText); r.Failed()) return r;
        state = m_instance->GetGDTState();
        if (!state) return UTxResult::Refusal(kBadInput, u"GDTSymbol: the frame has no state");
    }
    for (size_t i = 0, k = 1; k < m_fields.size(); ++i, k += 6) {
        const int32_t code = std::atoi(UTx::ToUtf8(m_fields[k]).c_str());
        if (state && int32_t(i) < state->GetNumberOfLines() &&
            state->GetLineSymbolCode(int32_t(i)) == code)
            continue; // an edited line keeps the symbol it had
        if (code == 0) continue;
        const uint32_t bit = SymbolBit(code);
        if (!bit)
            return UTxResult::Refusal(
                kBadInput, u"Fields: line " + UTx::MakeWideString(std::to_string(i)) +
                               u" has no symbol " + UTx::MakeWideString(std::to_string(code)));
        if (!(mask & bit))
            return UTxResult::Refusal(kBadInput, u"Fields: line " +
                                                     UTx::MakeWideString(std::to_string(i)) +
                                                     u": the style does not offer symbol " +
                                                     UTx::MakeWideString(std::to_string(code)));
    }
    return {};
}

UTxResult DLxCreateGDTRequest::_Execute(FWxSceneDoc* doc) {
    UTxResult result;
    DLxGDTInstance* inst = nullptr;
    if (m_create) {
        RDxFragment* fragment = DLxRequestUtil::SheetFor(doc, m_intent);
        if (!fragment) return UTxResult::Refusal(kBadInput, u"Intent: the document has no sheet");
        inst = DLxGDTInstance::CreateInstance(fragment, m_points, m_arrowType, m_frameStyle,
                                              m_layerStyle, {});
        if (!inst) return UTxResult::Refusal(kBadInput, u"the frame could not be made");
        m_instance = inst;
        inst->SetDisplayLeaders(m_displayLeader);
        DUxLeaderNodeTree* leader0 = inst->GetLeader(0);
        DLxAnchorPoint* anchor = inst->GetFirstAnchor();
        if (UTxResult r = DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor); r.Failed()) return r;
        if (leader0 && leader0->GetRoot()) inst->MoveSymbolBox(leader0->GetRoot()->GetPoint(), 0);
        if (DLxGDTState* state = inst->GetGDTState()) {
            state->SetOrigin(anchor->GetBrokenPoint());
            DLxViewInstance* view = anchor->GetViewInstance();
            state->SetScale(view ? view->GetViewScale() : 1.0);
        }
    } else {
        inst = m_instance.get();
        if (DLxGDTState* state = inst->GetGDTState()) state->SetFlag(DLxGDTState::kNewStateFlag);
        inst->SetAttachmentRule(true);
        m_instanceText = FWxUtil::GetTranscriptMgr().StringFromRef(m_instance);
    }
    DLxGDTState* state = inst->GetGDTState();
    auto wrapper = state ? DUxSymStyleWrapUtils::GetFCFStyle(state, doc) : nullptr;
    const bool corner = wrapper && wrapper->GetLeaderAtCorner();
    const double angle = state ? state->GetRotationAngle() : 0.0;
    const bool vertical = DLxGDTState::IsAngleAt(angle, 270) || DLxGDTState::IsAngleAt(angle, 90);
    for (int32_t i = 0; i < inst->GetNumLeaders(); ++i)
        if (DUxLeaderNodeTree* tree = inst->GetLeader(i)) {
            tree->SetAllAround(m_allAround);
            tree->SetLandingDirectionFlags(corner || vertical, corner || !vertical);
        }
    if (state) {
        state->SetValue(DLxSym::kDatumIdentifier, 0, m_fields[0].c_str());
        int32_t written = 0;
        for (size_t i = 0, k = 1; k < m_fields.size(); ++i, k += 6) {
            if (int32_t(i) >= state->GetNumberOfLines()) state->AddLine();
            for (size_t v = 0; v < 6; ++v) {
                const size_t f = k + v;
                const UTxString16 text = f < m_fields.size() ? m_fields[f] : UTxString16();
                state->SetValue(kLineVariables[v], int32_t(i), text.c_str());
                if (f < m_visibilities.size())
                    state->SetVariableStatus(kLineVariables[v], int32_t(i),
                                             DUxValue::EVisibility(m_visibilities[f]));
            }
            written = int32_t(i) + 1;
        }
        // The lines past those written go; the last line always stays.
        while (state->GetNumberOfLines() > std::max(written, 1)) {
            const int32_t before = state->GetNumberOfLines();
            if (state->RemoveLastLine() >= before) break;
        }
        for (size_t j = 0; j < m_linesFramed.size(); ++j)
            state->SetLineFramed(int32_t(j), m_linesFramed[j]);
        DUxStyleUtil::SetLayerStyle(state, m_layerStyle.Read());
    }
    result = DLxRequestUtil::RecomputeChanged(inst);
    if (m_create) new DLxCreateGDTInstanceBulletin(doc, RSeRefBase(inst));
    return result;
}

UTxResult DLxCreateGDTRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    int32_t version = 1;
    DLxRequestUtil::ExchangeVersion(tdx, version, 1);
    DLxTDXUtil::Transcript(tdx, u"Arrow", m_arrowType, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    DLxTDXUtil::Transcript(tdx, u"Points", m_points, true);
    DLxTDXUtil::Transcript(tdx, u"AllAround", m_allAround, true);
    DLxTDXUtil::Transcript(tdx, u"DisplayLeader", m_displayLeader, true);

    // Version-0 records held two lines interleaved, the datum identifier last.
    static const size_t kOldOrder[13] = {12, 0, 2, 4, 6, 8, 10, 1, 3, 5, 7, 9, 11};
    auto reorder = [&](auto& v) {
        if (!tdx.IsReading() || version != 0 || v.size() != 13) return;
        auto old = v;
        for (size_t i = 0; i < 13; ++i)
            v[i] = old[kOldOrder[i]];
    };
    DLxTranscriptVector(tdx, u"Fields", m_fields, true,
                        [](UCxTranscriptDataExchange& t, const char16_t* k, UTxString16& e,
                           bool r) { _TDX_String(t, k, e, r); });
    if (tdx.IsReading() && version == 0 && !tdx.HasFailed() && m_fields.size() < 13)
        tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange, u"Fields",
                                             u"an old record holds 13 fields"));
    reorder(m_fields);
    DLxTDXUtil::Transcript(tdx, u"FieldsVisibility", m_visibilities, true);
    reorder(m_visibilities);
    if (tdx.IsWriting()) {
        DLxTDXUtil::Transcript(tdx, u"LinesFramed", m_linesFramed, true);
    } else if (!tdx.HasFailed()) {
        if (tdx.GetTranscriptMgr().ArgumentExists(tdx.GetLine(), u"LinesFramed"))
            DLxTDXUtil::Transcript(tdx, u"LinesFramed", m_linesFramed, true);
        else
            m_linesFramed.assign(m_fields.size() / 6, true);
    }
    DLxTDXUtil::Transcript(tdx, u"Create", m_create, true);
    if (!m_create) {
        if (tdx.IsWriting()) {
            PutInstanceText(tdx, m_instance, m_instanceText);
        } else {
            ReadInstance(tdx, m_instance, m_instanceText);
        }
    }
    TranscriptRSeRefArgument(tdx, u"LayerStyle", m_layerStyle, tdx.IsWriting());
    TranscriptRSeRefArgument(tdx, u"FCFStyle", m_frameStyle, tdx.IsWriting());
    return tdx.GetResult();
}

// ---- rotate

DLxGDTRotateRequest::DLxGDTRotateRequest() = default;

DLxGDTRotateRequest::DLxGDTRotateRequest(const RSeRef<DLxGDTInstance>& instance, bool clockwise)
    : m_instance(instance), m_clockwise(clockwise) {}

UTxStringResource DLxGDTRotateRequest::GetRequestIdentity() const {
    return {0x600B01FC, 11, 0};
}

UTxResult DLxGDTRotateRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"RotateGDTSymbol");
}

UTxResult DLxGDTRotateRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxGDTRotateRequest::ValidateInputs(FWxSceneDoc*) {
    return CheckInstance(m_instance, m_instanceText);
}

UTxResult DLxGDTRotateRequest::_Execute(FWxSceneDoc*) {
    m_instanceText = FWxUtil::GetTranscriptMgr().StringFromRef(m_instance);
    DLxGDTInstance* inst = m_instance.get();
    DLxGDTState* state = inst->GetGDTState();
    if (!state) return {};
    state->SetFlag(DLxGDTState::kNewStateFlag);
    const double angle = state->GetRotationAngle();
    double turned;
    if (m_clockwise)
        turned = std::fabs(angle) < 0.0001 ? 4.7123889803838 : angle - kQuarter;
    else
        turned = DLxGDTState::IsAngleAt(angle, 270) ? 0.0 : angle + kQuarter;
    state->SetRotationAngle(turned);

    using P = DUxLeaderNodeTree::ELandingPos;
    DUxLeaderNodeTree* leader0 = inst->GetLeader(0);
    P pos = leader0 ? leader0->GetLandingPosition() : DUxLeaderNodeTree::kNoLanding;
    static const P cw[5] = {DUxLeaderNodeTree::kNoLanding, DUxLeaderNodeTree::kNegY,
                            DUxLeaderNodeTree::kPosX, DUxLeaderNodeTree::kPosY,
                            DUxLeaderNodeTree::kNegX};
    static const P ccw[5] = {DUxLeaderNodeTree::kNoLanding, DUxLeaderNodeTree::kPosY,
                             DUxLeaderNodeTree::kNegX, DUxLeaderNodeTree::kNegY,
                             DUxLeaderNodeTree::kPosX};
    // Setters and loading keep a landing position within the table.
    pos = (m_clockwise ? cw : ccw)[int32_t(pos)];
    if (leader0 && pos != DUxLeaderNodeTree::kNoLanding && inst->DisplayLeaders() &&
        leader0->GetNumNodes() > 1)
        leader0->SetLandingLength(
            std::max(leader0->GetLandingLength(), leader0->GetSecondLandingDistance() + 1e-10));
    const bool vertical = DLxGDTState::IsAngleAt(turned, 270) || DLxGDTState::IsAngleAt(turned, 90);
    if (vertical && pos == DUxLeaderNodeTree::kNoLanding &&
        !state->IsFlagOn(DLxGDTInstance::kCornerSetUpFlag))
        pos = DUxLeaderNodeTree::kPosY;
    auto wrapper = DUxSymStyleWrapUtils::GetFCFStyle(state);
    const bool corner = wrapper && wrapper->GetLeaderAtCorner();
    for (int32_t i = 0; i < inst->GetNumLeaders(); ++i)
        if (DUxLeaderNodeTree* tree = inst->GetLeader(i)) {
            tree->SetLandingDirectionFlags(corner || vertical, corner || !vertical);
            tree->SetLandingPosition(i == 0 ? pos : DUxLeaderNodeTree::kNoLanding);
        }
    return DLxRequestUtil::RecomputeChanged(inst);
}

UTxResult DLxGDTRotateRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    if (tdx.IsWriting()) {
        PutInstanceText(tdx, m_instance, m_instanceText);
    } else {
        ReadInstance(tdx, m_instance, m_instanceText);
    }
    DLxTDXUtil::Transcript(tdx, u"RotationDirection", m_clockwise, true);
    return tdx.GetResult();
}
