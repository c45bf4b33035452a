#include "DatumTarget/DLxDatumTarget.h"

#include <cmath>
#include <cstdio>

#include "DatumTarget/DLxCTargetServiceRegistry.h"
#include "Standard/DLxCTarget.h"
#include "Standard/DLxCTargetService.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxIntent.h"
#include "dl/DLxPrefUtil.h"
#include "dl/DLxSheet.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxSceneUtil.h"
#include "du/DUxSymState.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxTranscriptMgr.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSe.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "utx/UTxCast.h"

namespace {
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";
// The leader list's property word.
constexpr int32_t kLeaderList = 0x4000;
// Degenerate sizes of a placed area are made this much of the symbol scale.
constexpr double kTinyRadius = 0.0001;
constexpr double kTinySide = 0.001;
constexpr double kEqualEps = 1e-10;

// The host's line types of datum lines as the renderer's patterns: hidden leaders dashed,
// target borders chain-dotted.
int32_t LinePattern(int32_t lineType) {
    if (lineType == 0x6DC5) return 1;
    if (lineType == 0x6DCB || lineType == 0x6DCC) return 2;
    return 0;
}

void SetLinePattern(SMxDisplayList& list, int32_t pattern) {
    for (SMxDisplayItem& item : list) {
        if (auto* child = item.As<SMxChildItem>())
            SetLinePattern(child->list, pattern);
        else
            item.SetLineStyle(pattern);
    }
}

SMxChildItem* AppendChild(SMxDisplayList& list, int32_t word) {
    auto* child = static_cast<SMxChildItem*>(list.Append(std::make_unique<SMxChildItem>()));
    child->SetId(word);
    return child;
}

void AddHotPoint(SMxDisplayList& list, const WqGePoint3d& p, int32_t id) {
    auto item = std::make_unique<SMxPointItem>(p, 0);
    item->SetId(id);
    list.Append(std::move(item));
}

// A closed filled arrowhead (the host's default: 3 long, 1 wide) with its tip at `tip`.
void AddArrowHead(SMxDisplayList& list, const WqGePoint3d& from, const WqGePoint3d& tip) {
    const WqGeVector3d along = (tip - from).normal();
    if (along.isZeroLength()) return;
    const WqGeVector3d across(-along.y, along.x, 0);
    const WqGePoint3d base = tip - along * 3.0;
    WqArray<WqGePoint3d> outline;
    outline.append(tip);
    outline.append(base + across * 0.5);
    outline.append(base - across * 0.5);
    list.Append(std::make_unique<SMxFillItem>(outline));
}

WqGeMatrix3d At(const WqGePoint3d& origin) {
    WqGeMatrix3d m;
    m.setCoordSystem(origin, WqGeVector3d::kXAxis, WqGeVector3d::kYAxis, WqGeVector3d::kZAxis);
    return m;
}

bool IsEqualEps(double a, double b) {
    return std::fabs(a - b) < kEqualEps;
}
} // namespace

// ---- construction

DLxDatumTarget::DLxDatumTarget(RDxFragment* fragment, int32_t targetType)
    : DLxSymInstance(fragment, nullptr) {
    AddInputState(DLxAnchorPoint::Create(fragment));
    m_defaultBalloon = NewBalloon(WqGePoint3d());
    SetTargetType(targetType);
}

DLxDatumTarget::DLxDatumTarget(const RSeStream* s) : DLxSymInstance(s) {}

DLxDatumTarget::~DLxDatumTarget() {
    // Undo, redo and closing put every other object back from its image or end it themselves.
    if (RSe::IsLiveDeletion(this)) DeleteRecords();
}

DLxDatumTarget* DLxDatumTarget::Create(RDxFragment* fragment, int32_t targetType) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    return new (RSe::_GetMeta(static_cast<const DLxDatumTarget*>(nullptr)), fragment->GetSegment())
        DLxDatumTarget(fragment, targetType);
}

void DLxDatumTarget::Prepare() {
    RSe::PrepareWrite(this);
}

DLxCTargetBalloon* DLxDatumTarget::NewBalloon(const WqGePoint3d& origin) {
    auto* balloon = new (RSe::_GetMeta(static_cast<const DLxCTargetBalloon*>(nullptr)),
                         GetSegment()) DLxCTargetBalloon();
    balloon->SetOrigin(origin);
    balloon->SetOwner(RSeRef<RDxObject>(this));
    return balloon;
}

void DLxDatumTarget::DeleteRecords() {
    std::vector<RSeIDed*> owned;
    if (m_defaultBalloon.HasTarget()) owned.push_back(m_defaultBalloon.GetTarget());
    if (m_shape.HasTarget()) owned.push_back(m_shape.GetTarget());
    for (const auto& b : m_balloons)
        if (b.HasTarget()) owned.push_back(b.GetTarget());
    if (owned.empty() && m_balloons.empty()) return;
    Prepare();
    m_defaultBalloon.Clear();
    m_shape.Clear();
    m_balloons.clear();
    for (RSeIDed* obj : owned)
        RSe::DeleteObject(obj);
}

void DLxDatumTarget::DeleteAndVacuumClean() {
    DeleteRecords();
    DLxSymInstance::DeleteAndVacuumClean();
}

DLxAnchorPoint* DLxDatumTarget::GetAnchor() const {
    return UTx::Cast<DLxAnchorPoint>(GetInputState(2));
}

// ---- shape

int32_t DLxDatumTarget::GetTargetType() const {
    const DLxCTarget* shape = m_shape.Read();
    return shape ? shape->GetTargetType() : 0;
}

void DLxDatumTarget::SetTargetType(int32_t type) {
    const DLxCTarget* old = m_shape.Read();
    if (old && old->GetTargetType() == type) return;
    const WqGePoint3d origin = old ? old->GetOrigin() : WqGePoint3d();
    RSeSegment* segment = GetSegment();
    DLxCTarget* shape = nullptr;
    switch (type) {
    case DLxCTargetSubSym::kNoTarget:
        shape = new (RSe::_GetMeta(static_cast<const DLxCTargetPoint*>(nullptr)), segment)
            DLxCTargetPoint(DLxCTargetSubSym::kNoTarget, 0);
        break;
    case DLxCTargetSubSym::kPoint:
        shape = new (RSe::_GetMeta(static_cast<const DLxCTargetPoint*>(nullptr)), segment)
            DLxCTargetPoint(DLxCTargetSubSym::kPoint, 1);
        break;
    case DLxCTargetSubSym::kLine:
        shape = new (RSe::_GetMeta(static_cast<const DLxCTargetLine*>(nullptr)), segment)
            DLxCTargetLine();
        break;
    case DLxCTargetSubSym::kCircularArea:
        shape = new (RSe::_GetMeta(static_cast<const DLxCTargetCircularArea*>(nullptr)), segment)
            DLxCTargetCircularArea();
        break;
    default:
        shape = new (RSe::_GetMeta(static_cast<const DLxCTargetRectangularArea*>(nullptr)),
                     segment) DLxCTargetRectangularArea();
        break;
    }
    shape->SetOrigin(origin);
    shape->SetOwner(RSeRef<RDxObject>(this));
    Prepare();
    if (m_shape.HasTarget()) RSe::DeleteObject(m_shape.GetTarget());
    m_shape = shape;
}

DLxCTarget* DLxDatumTarget::GetTargetShape() const {
    return m_shape.Read() ? m_shape.get() : nullptr;
}

void DLxDatumTarget::ApplySecondTargetPoint(double scale) {
    DLxCTarget* shape = GetTargetShape();
    if (!shape) return;
    if (auto* line = dynamic_cast<DLxCTargetLine*>(shape)) {
        line->SetEndPoint(m_secondTarget);
    } else if (auto* circle = dynamic_cast<DLxCTargetCircularArea*>(shape)) {
        const double r = m_secondTarget.distanceTo(shape->GetOrigin());
        circle->SetRadius(IsEqualEps(r, 0.0) ? kTinyRadius * scale : r);
    } else if (auto* rect = dynamic_cast<DLxCTargetRectangularArea*>(shape)) {
        WqGePoint3d corner = m_secondTarget;
        if (IsEqualEps(corner.x, shape->GetOrigin().x)) corner.x += kTinySide * scale;
        if (IsEqualEps(corner.y, shape->GetOrigin().y)) corner.y += kTinySide * scale;
        rect->SetCornerPoint(corner);
    }
}

void DLxDatumTarget::SetHiddenLeader(bool on) {
    if (on == m_hidden) return;
    Prepare();
    m_hidden = on;
}

// ---- balloons

DLxCTargetBalloon* DLxDatumTarget::GetBalloon(int32_t n) const {
    if (n < 0 || n > GetNumAttachedBalloons()) return nullptr;
    const RSeRef<DLxCTargetBalloon>& ref = n == 0 ? m_defaultBalloon : m_balloons[size_t(n - 1)];
    return ref.Read() ? ref.get() : nullptr;
}

DLxCTargetBalloon* DLxDatumTarget::AddBalloon(const WqGePoint3d& origin) {
    if (GetNumAttachedBalloons() + 1 >= kMaxBalloons) return nullptr;
    DLxCTargetBalloon* balloon = NewBalloon(origin);
    Prepare();
    m_balloons.emplace_back(balloon);
    return balloon;
}

bool DLxDatumTarget::RemoveBalloon(int32_t n) {
    if (m_balloons.empty() || n < 0 || n > GetNumAttachedBalloons()) return false;
    const WqGePoint3d defaultOrigin = m_defaultBalloon.Read()->GetOrigin();
    const WqGeVector3d direction = m_balloons.front().Read()->GetOrigin() - defaultOrigin;
    Prepare();
    if (n == 0) {
        RSe::DeleteObject(m_defaultBalloon.GetTarget());
        m_defaultBalloon = m_balloons.front();
        m_balloons.erase(m_balloons.begin());
        m_defaultBalloon->SetOrigin(defaultOrigin);
    } else {
        RSe::DeleteObject(m_balloons[size_t(n - 1)].GetTarget());
        m_balloons.erase(m_balloons.begin() + (n - 1));
    }
    ArrangeBalloons(direction);
    return true;
}

int32_t DLxDatumTarget::IndexOfBalloon(const DLxCTargetBalloon* balloon) const {
    if (!balloon) return -1;
    for (int32_t n = 0; n <= GetNumAttachedBalloons(); ++n)
        if (GetBalloon(n) == balloon) return n;
    return -1;
}

int32_t DLxDatumTarget::FindNearestBalloon(const WqGePoint3d& point) const {
    int32_t best = 0;
    double distance = m_defaultBalloon.Read()->GetOrigin().distanceTo(point);
    for (int32_t n = 1; n <= GetNumAttachedBalloons(); ++n) {
        const double d = GetBalloon(n)->GetOrigin().distanceTo(point);
        if (d < distance) {
            best = n;
            distance = d;
        }
    }
    return best;
}

void DLxDatumTarget::ArrangeBalloons(const WqGeVector3d& direction) {
    const WqGeVector3d d = direction.normal();
    if (m_balloons.empty()) return;
    const double step = 2 * GetBalloonSize();
    const WqGePoint3d origin = m_defaultBalloon.Read()->GetOrigin();
    for (size_t i = 0; i < m_balloons.size(); ++i)
        m_balloons[i]->SetOrigin(origin + d * (double(i + 1) * step));
}

void DLxDatumTarget::SetBalloonTexts(int32_t n, const UTxString16& size,
                                     const UTxString16& target) {
    DLxCTargetBalloon* balloon = GetBalloon(n);
    if (!balloon) return;
    balloon->SetText(DLxCTargetBalloon::kSizeTextField, size);
    balloon->SetText(DLxCTargetBalloon::kTargetTextField, target);
}

bool DLxDatumTarget::GetBalloonTexts(int32_t n, UTxString16& size, UTxString16& target) const {
    const DLxCTargetBalloon* balloon = GetBalloon(n);
    if (!balloon) return false;
    size = balloon->GetText(DLxCTargetBalloon::kSizeTextField);
    target = balloon->GetText(DLxCTargetBalloon::kTargetTextField);
    return true;
}

double DLxDatumTarget::GetBalloonSize() const {
    auto* service =
        dynamic_cast<DLxCTargetBalloonService*>(DLxCTargetServiceRegistry::Instance().Find(1));
    const auto style = StyleWrapper();
    return service && style ? service->GetBalloonRadius(&*style) : 0.0;
}

// ---- leader and vertices

bool DLxDatumTarget::HasLeader() const {
    DUxLeaderNodeTree* tree = GetLeader(0);
    return tree && tree->GetNumNodes() > 1;
}

std::vector<WqGePoint3d> DLxDatumTarget::GetFirstLeaderPoints() const {
    std::vector<WqGePoint3d> points;
    DUxLeaderNodeTree* tree = GetLeader(0);
    if (!tree || tree->GetNumNodes() < 2) return points;
    for (DUxLeaderNode* node = tree->GetTerminalNode(0); node; node = node->GetParent())
        points.insert(points.begin(), node->GetPoint());
    return points;
}

void DLxDatumTarget::AddLeaderFromPoints(const std::vector<WqGePoint3d>& points) {
    while (GetNumLeaders() > 0)
        RemoveLeader(GetNumLeaders() - 1);
    if (points.size() < 2) return;
    RDxFragment* fragment = GetFragment().get();
    DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(fragment, nullptr, points.back());
    if (!tree) return;
    DUxLeaderNode* node = tree->GetRoot();
    for (size_t i = points.size() - 1; i-- > 0;)
        node = tree->InsertNode(node, points[i]);
    AppendLeader(tree);
}

void DLxDatumTarget::CollectLeaderVertices(std::vector<WqGePoint3d>& points) const {
    const std::vector<WqGePoint3d> leader = GetFirstLeaderPoints();
    points.insert(points.end(), leader.begin(), leader.end());
    if (const DLxCTarget* shape = m_shape.Read()) shape->GetGripPoints(points);
    if (leader.empty()) points.push_back(m_defaultBalloon.Read()->GetOrigin());
}

int32_t DLxDatumTarget::GetNumLeaderVertices() const {
    return int32_t(GetFirstLeaderPoints().size());
}

UTxResult DLxDatumTarget::MoveLeaderVertices(const std::vector<int32_t>& indices,
                                             const WqGeVector3d& offset) {
    if (offset.length() < kEps || indices.empty()) return {};
    const int32_t index = indices.front();
    const int32_t leaderVertices = GetNumLeaderVertices();
    DUxLeaderNodeTree* tree = GetLeader(0);
    if (index >= 0 && index < leaderVertices && tree) {
        const std::vector<WqGePoint3d> points = GetFirstLeaderPoints();
        std::vector<WqGePoint3d> moved = points;
        for (int32_t i : indices)
            if (i >= 0 && i < leaderVertices) moved[size_t(i)] += offset;
        // The path's nodes, balloon end first.
        std::vector<DUxLeaderNode*> nodes;
        for (DUxLeaderNode* node = tree->GetTerminalNode(0); node; node = node->GetParent())
            nodes.insert(nodes.begin(), node);
        for (size_t i = 0; i < nodes.size() && i < moved.size(); ++i)
            if (moved[i] != points[i]) nodes[i]->SetPoint(moved[i]);
        const WqGeVector3d follow = moved.front() - m_defaultBalloon.Read()->GetOrigin();
        if (!follow.isZeroLength()) {
            m_defaultBalloon->SetOrigin(moved.front());
            for (auto& b : m_balloons)
                b->SetOrigin(b.Read()->GetOrigin() + follow);
        }
        return {};
    }
    DLxCTarget* shape = GetTargetShape();
    const int32_t grip = index - leaderVertices;
    if (shape && shape->IsValidGrip(grip)) {
        shape->MoveGrip(grip, offset);
        AdjustLeaderEndPoint();
        return {};
    }
    // The balloon end moves: the leader's start, or the balloon itself without a leader.
    if (HasLeader()) {
        tree->GetRoot()->SetPoint(tree->GetRoot()->GetPoint() + offset);
        m_defaultBalloon->SetOrigin(tree->GetRoot()->GetPoint());
    } else {
        m_defaultBalloon->SetOrigin(m_defaultBalloon.Read()->GetOrigin() + offset);
    }
    AdjustLeaderEndPoint();
    return {};
}

void DLxDatumTarget::AdjustLeaderEndPoint() {
    DUxLeaderNodeTree* tree = GetLeader(0);
    const DLxCTarget* shape = m_shape.Read();
    if (!tree || tree->GetNumNodes() < 2 || !shape) return;
    DUxLeaderNode* end = tree->GetTerminalNode(0);
    DUxLeaderNode* bend = end ? end->GetParent() : nullptr;
    if (!bend) return;
    const WqGePoint3d p = shape->GetLeaderAttachPoint(bend->GetPoint());
    if (end->GetPoint() != p) end->SetPoint(p);
    m_targetPoint = p;
}

void DLxDatumTarget::SetLeaderVertexFromIntent(int32_t index, const DLxIntent& intent) {
    const std::vector<WqGePoint3d> points = GetFirstLeaderPoints();
    if (index < 0 || index >= int32_t(points.size())) return;
    const WqGePoint3d p(intent.GetPoint().x, intent.GetPoint().y, 0);
    MoveLeaderVertices({index}, p - points[size_t(index)]);
}

// ---- editing

void DLxDatumTarget::CopyValuesFrom(const DLxDatumTarget& other) {
    SetHiddenLeader(other.m_hidden);
    m_activeBalloon = other.m_activeBalloon;
    for (int32_t n = 0; n <= GetNumAttachedBalloons(); ++n) {
        DLxCTargetBalloon* mine = GetBalloon(n);
        const DLxCTargetBalloon* theirs = other.GetBalloon(n);
        if (mine && theirs) mine->CopyFrom(*theirs);
    }
}

DLxDatumTarget* DLxDatumTarget::CreateInDocument(FWxSceneDoc*, RDxFragment* fragment,
                                                 const RSeRef<DUxDatumTargetStyle>& style,
                                                 const RSeRef<FBxLayerStyle>& layer) const {
    DLxDatumTarget* made = Create(fragment, GetTargetType());
    if (!made) return nullptr;
    if (DUxSymState* state = made->GetSymState()) {
        if (style.HasTarget()) state->SetStyle(style.Read());
        if (layer.HasTarget()) DUxStyleUtil::SetLayerStyle(state, layer.Read());
    }
    const std::vector<WqGePoint3d> points = GetFirstLeaderPoints();
    made->AddLeaderFromPoints(points);
    if (!points.empty()) made->m_defaultBalloon->SetOrigin(points.front());
    if (const DLxCTarget* shape = m_shape.Read()) made->GetTargetShape()->SetOrigin(shape->GetOrigin());
    made->m_secondTarget = m_secondTarget;
    made->ApplySecondTargetPoint(DLxCTargetSubSym::GetScale());
    // The leader ends where the shape takes it (a circle's rim, a rectangle's corner, a line's
    // ratio point); a leader-only target keeps the end the user gave.
    if (made->GetTargetType() != DLxCTargetSubSym::kNoTarget) made->AdjustLeaderEndPoint();
    return made;
}

UTxResult DLxDatumTarget::Transcript(UCxTranscriptDataExchange& tdx, const UTxString16& prefix,
                                     bool required) {
    if (tdx.HasFailed()) return tdx.GetResult();
    auto key = [&prefix](const UTxString16& name) { return prefix + name; };
    int32_t type = GetTargetType();
    std::vector<WqGePoint3d> points = GetFirstLeaderPoints();
    WqGePoint3d origin = m_shape.Read() ? m_shape.Read()->GetOrigin() : WqGePoint3d();
    double scale = DLxCTargetSubSym::GetScale();
    bool hidden = m_hidden;
    WqGePoint3d second = m_secondTarget;
    DLxTDXUtil::Transcript(tdx, key(u"_TargetTypeId").c_str(), type, required);
    DLxTDXUtil::Transcript(tdx, key(u"_LeaderPoints").c_str(), points, required);
    DLxTDXUtil::Transcript(tdx, key(u"_TargetOrigin").c_str(), origin, required);
    DLxTDXUtil::Transcript(tdx, key(u"_Scale").c_str(), scale, required);
    DLxTDXUtil::Transcript(tdx, key(u"_SecondTarget").c_str(), second, required);
    DLxTDXUtil::Transcript(tdx, key(u"_IsHidden").c_str(), hidden, required);
    if (tdx.HasFailed()) return tdx.GetResult();
    m_defaultBalloon->Transcript(tdx, key(u"_DefaultBalloon"), required);
    WqGePoint3d defaultOrigin = m_defaultBalloon.Read()->GetOrigin();
    DLxTDXUtil::Transcript(tdx, key(u"_DefaultBalloonOrigin").c_str(), defaultOrigin, required);
    int32_t count = GetNumAttachedBalloons();
    DLxTDXUtil::Transcript(tdx, key(u"_NumBalloons").c_str(), count, true);
    if (tdx.HasFailed()) return tdx.GetResult();
    if (tdx.IsReading()) {
        if (count < 0 || count >= kMaxBalloons) {
            tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange,
                                                 key(u"_NumBalloons"),
                                                 u"a datum target carries at most 17 more balloons"));
            return tdx.GetResult();
        }
        m_defaultBalloon->SetOrigin(defaultOrigin);
    }
    for (int32_t n = 1; n <= count && !tdx.HasFailed(); ++n) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%d", n);
        UTxString16 q = key(u"_Balloon");
        for (const char* c = digits; *c; ++c)
            q += char16_t(*c);
        WqGePoint3d at = tdx.IsWriting() ? GetBalloon(n)->GetOrigin() : WqGePoint3d();
        DLxTDXUtil::Transcript(tdx, (q + u"_Origin").c_str(), at, required);
        if (tdx.HasFailed()) break;
        DLxCTargetBalloon* balloon = tdx.IsWriting() ? GetBalloon(n) : AddBalloon(at);
        if (balloon) balloon->Transcript(tdx, q, required);
    }
    if (tdx.HasFailed() || tdx.IsWriting()) return tdx.GetResult();
    AddLeaderFromPoints(points);
    SetTargetType(type);
    GetTargetShape()->SetOrigin(origin);
    SetHiddenLeader(hidden);
    m_secondTarget = second;
    ApplySecondTargetPoint(scale);
    return tdx.GetResult();
}

void DLxDatumTarget::TransformBy(const WqGeMatrix3d& m) {
    m_defaultBalloon->SetOrigin(m * m_defaultBalloon.Read()->GetOrigin());
    for (auto& b : m_balloons)
        b->SetOrigin(m * b.Read()->GetOrigin());
    if (DLxCTarget* shape = GetTargetShape()) shape->TransformBy(m);
    if (DUxLeaderNodeTree* tree = GetLeader(0))
        for (int32_t i = 0; i < tree->GetNumNodes(); ++i)
            if (DUxLeaderNode* node = tree->GetNodeAtIndex(i)) node->SetPoint(m * node->GetPoint());
    m_targetPoint = WqGePoint3d();
}

// ---- look

DUxDatumTargetStyle* DLxDatumTarget::GetStyle() const {
    const DUxSymState* state = GetSymState();
    if (auto* own = state ? dynamic_cast<DUxDatumTargetStyle*>(state->GetStyle()) : nullptr)
        return own;
    FWxSceneDoc* doc = FWxDocUtil::DocumentOf(this);
    if (!doc) return nullptr;
    UTxString16 name = doc->GetStandardName();
    if (name.empty()) name = u"ISO";
    return dynamic_cast<DUxDatumTargetStyle*>(
        doc->FindStyle(RSe::_GetMeta(static_cast<const DUxDatumTargetStyle*>(nullptr)), name));
}

std::optional<DUxDatumTargetStyleWrapper> DLxDatumTarget::StyleWrapper() const {
    DUxDatumTargetStyle* style = GetStyle();
    if (!style) return std::nullopt;
    return DUxDatumTargetStyleWrapper(RSeRef<DUxDatumTargetStyle>(style),
                                      RSeRef<RDxObject>(const_cast<DLxDatumTarget*>(this)));
}

SmartPtr<DUxLeaderStyleWrapper> DLxDatumTarget::GetLeaderStyleWrapper() const {
    DUxSymState* state = GetSymState();
    if (!state || !StyleWrapper()) return nullptr;
    return new DUxLeaderStyleWrapper(state, {});
}

const DUxTextStyleWrapper* DLxDatumTarget::GetTextStyleWrapper() const {
    const auto style = StyleWrapper();
    if (!style) return nullptr;
    m_textStyle = style->GetTextStyle();
    return &*m_textStyle;
}

SmartPtr<DUxLayerStyleAbstract> DLxDatumTarget::ObjectStyleWrapper() {
    DUxSymState* state = GetSymState();
    return state ? DUxStyleUtil::LayerStyleWrapper(state) : nullptr;
}

const UTxString16& DLxDatumTarget::GetBrowserLabel() {
    static const UTxString16 label = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, kLabelStringId) : std::nullopt;
        return text ? UTxString16(*text) : UTxString16(u"Datum Target");
    }();
    return label;
}

WqGePoint3d DLxDatumTarget::GetKeyPoint() const {
    const DLxCTargetBalloon* balloon = m_defaultBalloon.Read();
    if (!balloon) return {};
    return {balloon->GetOrigin().x, balloon->GetOrigin().y, 0};
}

WqGePoint3d DLxDatumTarget::GetSymbolOrigin() const {
    const DLxCTargetBalloon* balloon = m_defaultBalloon.Read();
    return balloon ? balloon->GetOrigin() : WqGePoint3d();
}

void DLxDatumTarget::SetSymbolOrigin(const WqGePoint3d& point) {
    if (DLxCTargetBalloon* balloon = GetBalloon(0)) balloon->SetOrigin(point);
}

// ---- host overrides

DLxViewInstance* DLxDatumTarget::GetView() const {
    DLxAnchorPoint* anchor = GetAnchor();
    return anchor ? anchor->GetViewInstance() : nullptr;
}

void DLxDatumTarget::GetAnchors(std::vector<DLxAnchorPoint*>& anchors) const {
    if (DLxAnchorPoint* anchor = GetAnchor()) anchors.push_back(anchor);
}

bool DLxDatumTarget::IsValid() const {
    DLxAnchorPoint* anchor = GetAnchor();
    return !anchor || anchor->IsValid();
}

bool DLxDatumTarget::IsSuppressed() const {
    if (!GetTemplate()) return false;
    std::vector<DLxAnchorPoint*> anchors;
    GetAnchors(anchors);
    if (anchors.empty()) return false;
    for (const DLxAnchorPoint* a : anchors)
        if (!a->IsSuppressed()) return false;
    return true;
}

bool DLxDatumTarget::HitTest(const WqGePoint3d& point, double tol) const {
    return DLxEmblem::HitTest(point, tol);
}

void DLxDatumTarget::FollowAnchor() {
    DLxAnchorPoint* anchor = GetAnchor();
    DUxSymState* state = GetSymState();
    if (!anchor || !state || !anchor->IsValid() || anchor->IsUnbrokenPointRemoved()) return;
    const WqGePoint3d b = anchor->GetBrokenPoint();
    const WqGeVector3d shift = b - state->GetOrigin();
    if (shift.isZeroLength()) return;
    state->SetOrigin(b);
    TransformBy(WqGeMatrix3d::translation(shift));
}

UTxResult DLxDatumTarget::Compute(RDxComputeContext& ctx) {
    m_balloonAttached = false;
    FollowAnchor();
    SMxDisplayList* list = GetDisplayList();
    if (!list) return {};
    list->Clear();
    list->ClearAttributes();
    // Suppressed with its view: nothing drawn, nor flagged as sick.
    if (DLxPrefUtil::GetSuppressAnnotations() && IsSuppressed()) return {};

    UTxResult result;
    RSeSegment* segment = GetSegment();
    const bool valid = IsValid();
    if (segment && segment->AcceptsHealthColoring()) {
        if (!valid)
            result = ApplySickness();
        else
            DLxAnnotationUtil::UnsetAnnotationSickColor(*list);
    }

    const int32_t type = GetTargetType();
    const bool leader = HasLeader();
    const bool drawBalloons = leader || (type != 3 && type != 4 && type != 5);
    if (leader && type == DLxCTargetSubSym::kRectangularArea && m_targetPoint == WqGePoint3d())
        AdjustLeaderEndPoint();
    auto& registry = DLxCTargetServiceRegistry::Instance();
    const DUxSymState* state = GetSymState();

    if (const DLxCTarget* shape = m_shape.Read()) {
        SMxChildItem* child = AppendChild(*list, kShapeList);
        registry.GenGraphics(state, child->list, *shape, At(shape->GetOrigin()), false);
    }
    if (drawBalloons) {
        SMxChildItem* child = AppendChild(*list, kBalloonList);
        for (int32_t n = 0; n <= GetNumAttachedBalloons(); ++n)
            if (const DLxCTargetBalloon* balloon = GetBalloon(n))
                registry.GenGraphics(state, child->list, *balloon, At(balloon->GetOrigin()), false);
    }

    // Hot points: every vertex but the one that the shape's own grips repeat.
    std::vector<WqGePoint3d> vertices;
    CollectLeaderVertices(vertices);
    const int32_t count = int32_t(vertices.size());
    int32_t skip = count - 1;
    switch (type) {
    case DLxCTargetSubSym::kPoint:
        skip = count - 2;
        break;
    case DLxCTargetSubSym::kLine:
        skip = count - 1;
        break;
    case DLxCTargetSubSym::kCircularArea:
        skip = count - 6;
        break;
    case DLxCTargetSubSym::kRectangularArea:
        skip = count - 4;
        break;
    default:
        break;
    }
    for (int32_t i = 0; i < count; ++i)
        if (i != skip) AddHotPoint(*list, vertices[size_t(i)], i);
    for (int32_t n = 0; n <= GetNumAttachedBalloons(); ++n) {
        const DLxCTargetBalloon* balloon = GetBalloon(n);
        if (!balloon) continue;
        if (balloon->IsAltOutside())
            AddHotPoint(*list,
                        WqGePoint3d(balloon->GetOrigin().x + balloon->GetAlternateUnitPosition().x,
                                    balloon->GetOrigin().y + balloon->GetAlternateUnitPosition().y,
                                    0),
                        n == 0 ? kAltUnitHotPoint : kAltUnitHotPoint + n);
        if (n > 0) AddHotPoint(*list, balloon->GetOrigin(), kBalloonHotPoint + n - 1);
    }

    // The leader from the default balloon's rim, with its arrowhead at the target when balloons
    // are drawn and the style wants one.
    if (leader) {
        const auto style = StyleWrapper();
        const std::vector<WqGePoint3d> points = GetFirstLeaderPoints();
        const bool arrow = drawBalloons && (!style || style->GetDrawLeaderArrow());
        if (arrow) {
            SMxChildItem* child = AppendChild(*list, kArrowHeadList);
            AddArrowHead(child->list, points[points.size() - 2], points.back());
            AddHotPoint(*list, points.back(), kArrowHeadHotPoint);
        }
        SMxChildItem* child = AppendChild(*list, kLeaderList);
        WqGePoint3d start = points.front();
        const WqGeVector3d first = points[1] - start;
        const double radius = drawBalloons ? GetBalloonSize() : 0.0;
        if (first.length() > radius) start += first.normal() * radius;
        for (size_t i = 1; i < points.size(); ++i) {
            auto line = std::make_unique<SMxLineItem>(i == 1 ? start : points[i - 1], points[i]);
            line->SetId(int32_t(i - 1));
            child->list.Append(std::move(line));
        }
    }
    AddToLayer(kCleanAttributes);
    if (ctx.Has(kPersistantAttr)) DLxAnnotationUtil::DimCleanup(GetView());
    return result;
}

void DLxDatumTarget::AddToLayer(CleanUpDisposition disposition) {
    SMxDisplayList* list = GetDisplayList();
    if (!list) return;
    SmartPtr<DUxLayerStyleAbstract> layer = ObjectStyleWrapper();
    if (layer) DUxSceneUtil::DLItemSetLayerStyle(*list, *layer);
    const auto style = StyleWrapper();
    for (SMxDisplayItem& item : *list) {
        auto* child = item.As<SMxChildItem>();
        if (!child) continue;
        if (disposition == kCleanAttributes) DUxSceneUtil::CleanAttrStackForLayers(*child);
        if (!style) continue;
        if (child->GetId() == kLeaderList && m_hidden) {
            SetLinePattern(child->list, LinePattern(style->GetHiddenLeaderLine()));
        } else if (child->GetId() == kBalloonList) {
            DUxSceneUtil::DLItemSetStyle(child->list, style->GetTextStyle());
        } else if (child->GetId() == kShapeList) {
            for (SMxDisplayItem& part : child->list) {
                auto* outline = part.As<SMxChildItem>();
                if (!outline) continue;
                if (outline->GetId() == DLxCTargetService::kAreaOutline)
                    SetLinePattern(outline->list, LinePattern(style->GetBorderLine()));
                else if (!style->GetPointColorByLayer())
                    DUxSceneUtil::DLItemSetColor(outline->list, style->GetPointColor());
            }
        }
    }
}
