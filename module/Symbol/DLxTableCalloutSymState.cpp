#include "Symbol/DLxTableCalloutSymState.h"

#include <cmath>
#include <memory>

#include "Standard/DLxCBalloonService.h"
#include "Standard/DLxCTableCallout.h"
#include "Symbol/DLxTableCalloutServiceHelper.h"
#include "Symbol/DLxTableCalloutStyleData.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxLeaderNodeTree.h"
#include "ge/BBox.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {
constexpr double kTiny = 1e-10;
// Hot points of attached entries: the balloon stack direction item.
constexpr int32_t kStackItem = 12;
constexpr int32_t kSketchedBalloon = 7;

void DeleteEntry(const RSeRef<DLxCTableCallout>& entry) {
    if (RSeIDed* t = entry.GetTarget()) RSe::DeleteObject(t);
}
} // namespace

DLxTableCalloutSymState::DLxTableCalloutSymState(RSeRef<RDxFragment>) {
    m_attached.clear();
}

DLxTableCalloutSymState::DLxTableCalloutSymState(const RSeStream* s) : DUxSymState(s) {}

DLxTableCalloutSymState::~DLxTableCalloutSymState() {
    DeleteEntry(m_primary);
    ClearAttachedBalloons();
    delete m_styleData;
}

void DLxTableCalloutSymState::GetItemTextSource(DLxLocalBOM*& bom, UTxString16& memberId) const {
    bom = nullptr;
    memberId.clear();
}

void DLxTableCalloutSymState::SetBalloon(const RSeRef<DLxCTableCallout>& entry) {
    RSe::PrepareWrite(this);
    m_primary = entry;
}

RSeRef<DLxCTableCallout> DLxTableCalloutSymState::FindAttachedBalloon(int32_t i) const {
    if (i < 0 || size_t(i) >= m_attached.size()) return {};
    return m_attached[size_t(i)];
}

void DLxTableCalloutSymState::SetAttachedBalloons(const Entries& entries) {
    RSe::PrepareWrite(this);
    m_attached = entries;
}

void DLxTableCalloutSymState::SetEnlargeBalloonSizeByText(bool enlarge) {
    RSe::PrepareWrite(this);
    m_enlargeByText = enlarge;
}

DLxTableCalloutStyleData* DLxTableCalloutSymState::GetStyleData() {
    if (!m_styleData) m_styleData = CreateStyleData();
    return m_styleData;
}

DLxCTableCallout* DLxTableCalloutSymState::Primary() const {
    return m_primary.get();
}

DLxCTableCallout* DLxTableCalloutSymState::Attached(size_t i) const {
    return m_attached[i].get();
}

WqGeVector3d DLxTableCalloutSymState::FirstAttachedVector() const {
    const DLxCTableCallout* first = m_attached.empty() ? nullptr : m_attached[0].Read();
    const DLxCTableCallout* primary = m_primary.Read();
    if (!first || !primary) return {};
    return first->origin() - primary->origin();
}

double DLxTableCalloutSymState::symbolRadius(BBox* box) {
    DLxTableCalloutStyleData* data = GetStyleData();
    if (!data) return 0.0;
    DLxCBalloonService* service =
        DLxTableCalloutServiceHelper::Get().Find(uint32_t(data->GetBalloonType()));
    if (!service) return 0.0;
    service->SetOwnerState(RSeRef<DLxTableCalloutSymState>(this));
    const double r = service->GetRadius(m_primary);
    if (box) service->GetTextExtents(0, *box, m_primary);
    return r;
}

void DLxTableCalloutSymState::ShiftBalloons(const WqGeVector3d& v) {
    if (DLxCTableCallout* p = Primary()) p->setOrigin(p->origin() + v);
    for (size_t i = 0; i < m_attached.size(); ++i)
        if (DLxCTableCallout* e = Attached(i)) e->setOrigin(e->origin() + v);
}

void DLxTableCalloutSymState::ReIndexBalloons() {
    if (DLxCTableCallout* p = Primary()) p->SetIndex(0);
    for (size_t i = 0; i < m_attached.size(); ++i)
        if (DLxCTableCallout* e = Attached(i)) e->SetIndex(int32_t(i + 1));
}

RSeRef<DLxCTableCallout> DLxTableCalloutSymState::GetClosestBalloon(const WqGePoint3d& p) const {
    RSeRef<DLxCTableCallout> best = m_primary;
    const DLxCTableCallout* primary = m_primary.Read();
    double bestDistance = primary ? primary->origin().distanceTo(p) : HUGE_VAL;
    for (const RSeRef<DLxCTableCallout>& ref : m_attached) {
        const DLxCTableCallout* e = ref.Read();
        if (!e) continue;
        const double d = e->origin().distanceTo(p);
        if (d < bestDistance) {
            bestDistance = d;
            best = ref;
        }
    }
    return best;
}

UTxResult DLxTableCalloutSymState::RefreshBalloonSize() {
    const RSeRef<DLxTableCalloutSymState> self(this);
    DUxCAuxEntArray scratch;
    if (const DLxCTableCallout* p = m_primary.Read()) p->GetSubEnts(scratch, self);
    for (const RSeRef<DLxCTableCallout>& ref : m_attached) {
        scratch.Clear();
        if (const DLxCTableCallout* e = ref.Read()) e->GetSubEnts(scratch, self);
    }
    return {};
}

void DLxTableCalloutSymState::AlignBalloons(const WqGeVector3d& vector) {
    const WqGeVector3d v = vector.normal();
    if (m_attached.empty()) return;
    DLxCTableCallout* primary = Primary();
    if (!primary) return;
    int32_t code = primary->direction();
    if (v.isEqualTo(WqGeVector3d::kYAxis))
        code = (code & 4) | 2;
    else if (v.isEqualTo(-WqGeVector3d::kYAxis))
        code = (code & 4) | 3;
    else if (v.isEqualTo(WqGeVector3d::kXAxis))
        code = 4;
    else if (v.isEqualTo(-WqGeVector3d::kXAxis))
        code = 0;
    const auto direction = static_cast<DLxBomStdInfo::EDirection>(code);
    primary->setDirection(direction);
    for (size_t i = 0; i < m_attached.size(); ++i)
        if (DLxCTableCallout* e = Attached(i)) e->setDirection(direction);

    if (primary->GetBalloonWidth() < kTiny || primary->GetBalloonHeight() < kTiny) return;
    const RSeRef<DLxTableCalloutSymState> self(this);
    RSeRef<DLxCTableCallout> previous = m_primary;
    for (const RSeRef<DLxCTableCallout>& ref : m_attached) {
        DLxCTableCallout* e = ref.get();
        if (!e) continue;
        e->setOrigin(previous.Read()->GetBalloonAttachmentPosition(self, ref, v));
        previous = ref;
    }
}

void DLxTableCalloutSymState::AlignBalloons() {
    RefreshBalloonSize();
    if (!m_attached.empty()) AlignBalloons(FirstAttachedVector());
}

void DLxTableCalloutSymState::FlipAttachedDirections() {
    for (size_t i = 0; i < m_attached.size(); ++i)
        if (DLxCTableCallout* e = Attached(i))
            e->setDirection(DLxBomStdInfo::FlipDirection(e->direction()));
}

void DLxTableCalloutSymState::FlipBalloons(const DLxBomStdInfo::EDirection& d) {
    DLxCTableCallout* primary = Primary();
    if (!primary || (primary->direction() & 4) == (d & 4)) return;
    primary->setDirection(DLxBomStdInfo::FlipDirection(primary->direction()));
    if (m_attached.empty()) return;
    const WqGeVector3d u = FirstAttachedVector().normal();
    if (std::abs(u.dotProduct(WqGeVector3d::kXAxis)) > 0.9999999999)
        AlignBalloons(-u);
    else
        FlipAttachedDirections();
}

void DLxTableCalloutSymState::FlipBalloons(const WqGeVector3d& v) {
    DLxCTableCallout* primary = Primary();
    if (!primary) return;
    const WqGeVector3d side =
        primary->direction() > 3 ? WqGeVector3d::kXAxis : -WqGeVector3d::kXAxis;
    if (!(side.dotProduct(v) < 0)) return;
    primary->setDirection(DLxBomStdInfo::FlipDirection(primary->direction()));
    if (m_attached.empty()) return;
    const WqGeVector3d u = FirstAttachedVector().normal();
    if (std::abs(u.dotProduct(WqGeVector3d::kXAxis)) == 1.0)
        AlignBalloons(-u);
    else
        FlipAttachedDirections();
}

RSeRef<DLxCTableCallout>
DLxTableCalloutSymState::AttachNewBalloon(const WqGePoint3d& p,
                                          const RSeRef<DLxStructureNode>& node) {
    const DLxCTableCallout* primary = m_primary.Read();
    if (!primary) return {};
    const WqGeVector3d u = (p - primary->origin()).normal();
    RSeRef<DLxCTableCallout> entry = CreateBalloon(node, GetAttachedCount() + 1);
    DLxCTableCallout* e = entry.get();
    if (!e) return {};
    e->setOrigin(p);
    RSe::PrepareWrite(this);
    m_attached.push_back(entry);
    e->SetBalloonSize(primary->GetBalloonWidth(), primary->GetBalloonHeight());
    AlignBalloons(u);
    return entry;
}

bool DLxTableCalloutSymState::RemoveBalloon(const RSeRef<DLxCTableCallout>& entry) {
    const DLxCTableCallout* removed = entry.Read();
    if (!removed) return false;
    RSe::PrepareWrite(this);
    const WqGeVector3d v = FirstAttachedVector();
    const int32_t index = removed->GetIndex();
    const DLxCTableCallout* primary = m_primary.Read();
    if (primary && index == primary->GetIndex()) {
        const WqGePoint3d origin = primary->origin();
        DeleteEntry(m_primary);
        m_primary.Clear();
        if (m_attached.empty()) return false;
        m_primary = m_attached.front();
        m_attached.erase(m_attached.begin());
        if (DLxCTableCallout* p = Primary()) p->setOrigin(origin);
    } else {
        for (auto it = m_attached.begin(); it != m_attached.end(); ++it) {
            const DLxCTableCallout* e = it->Read();
            if (e && e->GetIndex() == index) {
                DeleteEntry(*it);
                m_attached.erase(it);
                break;
            }
        }
    }
    if (!m_attached.empty()) {
        AlignBalloons(v);
    } else if (DLxCTableCallout* p = Primary()) {
        p->setDirection(p->direction() > 3 ? DLxBomStdInfo::kRight : DLxBomStdInfo::kLeft);
    }
    ReIndexBalloons();
    return true;
}

void DLxTableCalloutSymState::ClearAttachedBalloons() {
    if (m_attached.empty()) return;
    RSe::PrepareWrite(this);
    for (const RSeRef<DLxCTableCallout>& ref : m_attached)
        DeleteEntry(ref);
    m_attached.clear();
}

void DLxTableCalloutSymState::GenGraphics(SMxDisplayList& symbolList, SMxDisplayList&, int32_t,
                                          const UTxGUID&, bool, int32_t) {
    if (!m_attached.empty()) {
        RefreshBalloonSize();
        AlignBalloons(FirstAttachedVector());
    }
    DrawBalloon(symbolList);
    const DLxCTableCallout* primary = m_primary.Read();
    if (!primary) return;
    // Each hot point is put in front of the list, the last entry's ending up first.
    SMxDisplayList hotPoints;
    for (size_t i = m_attached.size(); i-- > 0;) {
        const DLxCTableCallout* e = m_attached[i].Read();
        if (!e) continue;
        const WqGePoint3d at(e->origin().x - primary->origin().x,
                             e->origin().y - primary->origin().y, 0);
        SMxDisplayItem* item = hotPoints.Append(std::make_unique<SMxPointItem>(at, 0));
        item->SetId(DUxLeaderNodeTree::SynthesizeItemID(kStackItem, 0, 0, int32_t(i)));
    }
    symbolList.Splice(0, 0, hotPoints);
}

UTxResult DLxTableCalloutSymState::DrawBalloon(SMxDisplayList& list) {
    DLxTableCalloutStyleData* data = GetStyleData();
    const DLxCTableCallout* primary = m_primary.Read();
    if (!data || !primary) return {};
    const RSeRef<DLxTableCalloutSymState> self(this);
    // A sketched balloon is its sketch instance's drawing, texts included; sketch instances
    // draw nothing yet, so their lists stay empty.
    const bool sketched = data->GetBalloonType() == kSketchedBalloon;
    auto drawEntry = [&](const DLxCTableCallout& entry, const WqGeVector3d& offset) {
        auto child = std::make_unique<SMxChildItem>();
        if (!sketched) entry.DrawBalloon(child->list, offset, self);
        list.Append(std::move(child));
    };
    drawEntry(*primary, WqGeVector3d());
    for (const RSeRef<DLxCTableCallout>& ref : m_attached)
        if (const DLxCTableCallout* e = ref.Read()) drawEntry(*e, e->origin() - primary->origin());
    return {};
}
