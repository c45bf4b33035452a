#include "Standard/DLxCTableCallout.h"

#include <cmath>
#include <cstdio>

#include "Standard/DLxCBalloonService.h"
#include "Symbol/DLxTableCalloutServiceHelper.h"
#include "Symbol/DLxTableCalloutStyleData.h"
#include "Symbol/DLxTableCalloutSymState.h"
#include "du/DUxCAuxEntArray.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxString.h"
#include "rse/RSeTransaction.h"

// The override text stays with the entry that owns it.
DLxCTableCallout::DLxCTableCallout(const DLxCTableCallout& other)
    : RSeIDed(), m_origin(other.m_origin), m_direction(other.m_direction), m_index(other.m_index),
      m_sketchInstance(other.m_sketchInstance), m_width(other.m_width), m_height(other.m_height),
      m_boundary(other.m_boundary) {}

DLxCTableCallout& DLxCTableCallout::operator=(const DLxCTableCallout& other) {
    if (this == &other) return *this;
    RSe::PrepareWrite(this);
    m_direction = other.m_direction;
    m_origin = other.m_origin;
    m_index = other.m_index;
    return *this;
}

DLxCTableCallout::~DLxCTableCallout() {
    if (RSeIDed* text = m_overrideText.GetTarget()) RSe::DeleteObject(text);
}

void DLxCTableCallout::setOrigin(const WqGePoint3d& p) {
    RSe::PrepareWrite(this);
    m_origin = p;
}

void DLxCTableCallout::setDirection(DLxBomStdInfo::EDirection d) {
    RSe::PrepareWrite(this);
    m_direction = d;
}

void DLxCTableCallout::SetIndex(int32_t index) {
    RSe::PrepareWrite(this);
    m_index = index;
}

void DLxCTableCallout::SetOverrideText(const RSeRef<RDxString>& text) {
    RSe::PrepareWrite(this);
    // The entry owns its override text: the one it replaces goes.
    if (RSeIDed* old = m_overrideText.GetTarget(); old && old != text.GetTarget())
        RSe::DeleteObject(old);
    m_overrideText = text;
}

UTxString16 DLxCTableCallout::GetOverrideText() const {
    const RDxString* text = m_overrideText.Read();
    return text ? text->GetSimpleValue() : UTxString16();
}

void DLxCTableCallout::SetOverrideText(const UTxString16& text) {
    if (RDxString* string = m_overrideText.get()) string->SetSimpleValue(text);
}

void DLxCTableCallout::SetSketchInstance(const RSeRef<RSeIDed>& instance) {
    RSe::PrepareWrite(this);
    m_sketchInstance = instance;
}

void DLxCTableCallout::SetBalloonSize(double width, double height) {
    m_width = width;
    m_height = height;
}

void DLxCTableCallout::SetBoundary(const std::vector<WqGePoint3d>& points) {
    m_boundary = points;
}

void DLxCTableCallout::ClearMeasures() {
    m_width = 0.0;
    m_height = 0.0;
    m_boundary.clear();
}

UTxString16 DLxCTableCallout::GetItemText(const DUxTableStyleColumn*, DLxLocalBOM*,
                                          const UTxString16&) const {
    return {};
}

void DLxCTableCallout::getIdText(UTxString16& out) const {
    char text[16];
    std::snprintf(text, sizeof text, "%d", 1);
    out = UTxString16(text, text + std::char_traits<char>::length(text));
}

namespace {
DLxCBalloonService* ServiceOf(DLxTableCalloutSymState* state) {
    DLxTableCalloutStyleData* data = state ? state->GetStyleData() : nullptr;
    if (!data) return nullptr;
    return DLxTableCalloutServiceHelper::Get().Find(uint32_t(data->GetBalloonType()));
}
} // namespace

void DLxCTableCallout::GetSubEnts(DUxCAuxEntArray& out,
                                  const RSeRef<DLxTableCalloutSymState>& state) const {
    DLxCBalloonService* service = ServiceOf(state.get());
    if (!service) return;
    service->SetOwnerState(state);
    service->BuildShape(RSeRef<DLxCTableCallout>(this), out);
}

UTxResult DLxCTableCallout::DrawBalloon(SMxDisplayList& list, const WqGeVector3d& offset,
                                        const RSeRef<DLxTableCalloutSymState>& state) const {
    DUxCAuxEntArray entities;
    GetSubEnts(entities, state);
    entities.TransformBy(WqGeMatrix3d::translation(offset));
    entities.Draw(list);
    return {};
}

WqGePoint3d
DLxCTableCallout::GetBalloonAttachmentPosition(const RSeRef<DLxTableCalloutSymState>& state,
                                               const RSeRef<DLxCTableCallout>& next,
                                               const WqGeVector3d& direction) const {
    // Stacks run along an axis: a vector that is not horizontal counts as vertical.
    WqGeVector3d v = direction.normal();
    if (std::abs(std::abs(v.dotProduct(WqGeVector3d::kXAxis)) - 1) < 1e-10)
        v.y = 0;
    else
        v.x = 0;
    v = v.normal();
    const WqGePoint3d beside = m_origin + WqGeVector3d(m_width * v.x, m_height * v.y, 0);

    DLxTableCalloutSymState* owner = state.get();
    const DLxCTableCallout* following = next.Read();
    if (!owner || !following || !owner->IsFlagOn(DLxTableCalloutSymState::kBalloonStateFlag))
        return beside;
    DLxCBalloonService* service = ServiceOf(owner);
    if (!service) return beside;
    service->SetOwnerState(state);
    const WqGePoint3d exit = service->GetOutgoingAttachPoint(RSeRef<DLxCTableCallout>(this), v);
    service->SetOwnerState(state);
    const WqGePoint3d entry = service->GetIncomingAttachPoint(next, v);
    return following->origin() - (entry - exit);
}
