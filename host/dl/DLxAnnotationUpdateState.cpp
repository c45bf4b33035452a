#include "dl/DLxAnnotationUpdateState.h"

#include "rse/RSeTransaction.h"

void DLxBalloonUpdateData::Clear() {
    if (m_items.empty()) return;
    RSe::PrepareWrite(this);
    m_items.clear();
}

void DLxBalloonUpdateData::AddItem(const DLxLocalBOMCookie& cookie,
                                   const std::vector<int32_t>& path) {
    RSe::PrepareWrite(this);
    m_items.push_back({cookie, path});
}

void DLxBalloonUpdateData::SetBalloonVisibility(bool visible) {
    if (visible == m_visible) return;
    RSe::PrepareWrite(this);
    m_visible = visible;
}

void DLxPartListUpdateData::SetInterestedInBalloonChanges(bool interested) {
    if (interested == m_balloons) return;
    RSe::PrepareWrite(this);
    m_balloons = interested;
}

DLxAnnotationUpdateState::~DLxAnnotationUpdateState() = default;

void DLxAnnotationUpdateState::SetSheet(RSeIDed* sheet) {
    if (sheet == m_sheet.get()) return;
    RSe::PrepareWrite(this);
    m_sheet = sheet;
}

void DLxAnnotationUpdateState::SetDirty(bool dirty) {
    if (dirty == m_dirty) return;
    RSe::PrepareWrite(this);
    m_dirty = dirty;
}

void DLxAnnotationUpdateState::SetUpdateType(int32_t type) {
    if (type == m_type) return;
    RSe::PrepareWrite(this);
    m_type = type;
}

void DLxAnnotationUpdateState::SetStatus(int32_t status) {
    if (status == m_status) return;
    RSe::PrepareWrite(this);
    m_status = status;
}

void DLxAnnotationUpdateState::SetAnnoSpecificData(DLxAnnoUpdateData* data) {
    if (data == m_data.get()) return;
    RSe::PrepareWrite(this);
    if (DLxAnnoUpdateData* old = m_data.get()) RSe::DeleteObject(old);
    m_data = data;
}
